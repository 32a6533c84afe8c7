#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "fakes/fake_message_boxes_win.h"
#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "help_window_fixture.h"

namespace orvanta {
namespace {

using test::boundsIn;
using test::colouredPixels;
using test::fontOf;
using test::showAndPaint;

// The texts as the user reads them; lines 3, 4 and 17 of the first and 3, 10 and 13 of the
// second end with a blank.
const char kTransferText[] =
    "Transferência de arquivos\r\n"
    "\r\n"
    "Para transferir arquivos do seu computador para o Orvanta e vice-versa utilize a opção "
    "Copiar / Colar, \r\n"
    "como já de costume.  Pode-se utilizar o botão direito do Mouse ou mesmo as teclas de atalho "
    "do teclado \r\n"
    "CTRL+C / CTRL+V.\r\n"
    "\r\n"
    "Exemplo:\r\n"
    "- No Orvanta copie o arquivo;\r\n"
    "- Minimize o aplicativo do Orvanta;\r\n"
    "- Escolha uma pasta em seu computador;\r\n"
    "- Cole o arquivo.\r\n"
    "\r\n"
    "O caminho inverso também funciona (do seu computador para o Orvanta).\r\n"
    "\r\n"
    "Este recurso pode ser utilizado para um ou mais arquivos ao mesmo tempo.\r\n"
    "\r\n"
    "Observe que trata-se da transferência de arquivos, então pode levar algum tempo até a "
    "conclusão, \r\n"
    "variando com o tamanho dos arquivos.";

const char kPrintingText[] =
    "Impressão de documentos\r\n"
    "\r\n"
    "A impressão através do aplicativo ocorre de maneira direta no seu computador, sem "
    "necessitar de nenhuma \r\n"
    "transferência de arquivo.\r\n"
    "\r\n"
    "Entretanto é necessário que esteja instalado o programa PDF Creator na sua máquina.\r\n"
    "\r\n"
    "Para saber se o mesmo está instalado, clique na opção correspondente localizada no rodapé "
    "desta janela.\r\n"
    "\r\n"
    "Quando estiver tudo correto, ao selecionar a impressora na sua área do Orvanta, você verá "
    "uma impressora \r\n"
    "chamada \"PDF Creator em Sessão\".  Esta é a sua impressora.\r\n"
    "\r\n"
    "Imprima normalmente.  Após alguns segundos, aparecerá uma nova janela com a opção "
    "\"Salvar\".  Clique e escolha o \r\n"
    "diretório aonde deseja salvar o arquivo e posteriormente imprimi-lo ou enviá-lo por "
    "e-mail.";

struct Expected {
  const char* name;
  std::function<std::unique_ptr<HelpWindow>(Application&)> make;
  const char* caption;
  SIZE client;
  RECT picture;
  RECT text;
  const char* lines;
  // The text ends above the bottom of its area (the transfer text runs on past it and scrolls).
  bool whiteBelowText;
};

const Expected kWindows[] = {
    {"transfer",
     [](Application& app) { return std::make_unique<TFrmAjudaTransferencia>(app); },
     "Ajuda para transferência de arquivos",
     {912, 261},
     {0, 0, 400, 261},
     {400, 0, 912, 261},
     kTransferText,
     false},
    {"printing",
     [](Application& app) { return std::make_unique<TFrmAjudaImpressao>(app); },
     "Ajuda para impressão",
     {912, 397},
     {0, 0, 326, 372},
     {326, 0, 912, 372},
     kPrintingText,
     true},
};

class HelpWindowsTest : public ::testing::TestWithParam<Expected> {
 protected:
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  std::unique_ptr<HelpWindow> form = GetParam().make(app);

  // Made when first needed; the tests look at its controls.
  void SetUp() override { form->hwnd(); }
};

TEST_P(HelpWindowsTest, PictureLeftAndReadOnlyWrappingTextBesideIt) {
  const Expected& e = GetParam();
  EXPECT_EQ(form->caption(), e.caption);
  EXPECT_EQ(form->clientSize().cx, e.client.cx);
  EXPECT_EQ(form->clientSize().cy, e.client.cy);
  EXPECT_FALSE(form->visible());
  const RECT picture = boundsIn(form->hwnd(), form->Image1.hwnd());
  EXPECT_TRUE(EqualRect(&picture, &e.picture));
  const RECT text = boundsIn(form->hwnd(), form->Memo1.hwnd());
  EXPECT_TRUE(EqualRect(&text, &e.text));
  EXPECT_EQ(form->Memo1.text(), e.lines);
  const LONG_PTR style = GetWindowLongPtrW(form->Memo1.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_READONLY);
  // Without ES_AUTOHSCROLL a multi-line field wraps long lines at its width.
  EXPECT_FALSE(style & (ES_AUTOHSCROLL | WS_HSCROLL));
  const LOGFONTW font = fontOf(form->Memo1.hwnd());
  EXPECT_STREQ(font.lfFaceName, L"Tahoma");
  EXPECT_EQ(font.lfHeight, -11);
}

TEST_P(HelpWindowsTest, WhiteWindowWithThePictureAtTheLeftAndTextBesideIt) {
  const Expected& e = GetParam();
  showAndPaint(app, form->hwnd());
  const RECT& p = e.picture;
  const RECT& t = e.text;
  // The artwork covers much of its area, with colour right up to the left edge.
  const int samples = ((p.right - p.left) / 4) * ((p.bottom - p.top) / 4);
  EXPECT_GT(colouredPixels(form->hwnd(), p), samples / 4);
  EXPECT_GT(colouredPixels(form->hwnd(), {p.left, p.top, p.left + 60, p.bottom}), 0);
  // Text in the first lines of the text area; white below the last one.
  EXPECT_GT(colouredPixels(form->hwnd(), {t.left + 2, t.top + 2, t.left + 200, t.top + 16}, 1), 20);
  if (e.whiteBelowText) {
    EXPECT_EQ(
        colouredPixels(form->hwnd(), {t.left + 260, t.bottom - 12, t.left + 480, t.bottom - 4}, 2),
        0);
  }
}

TEST_P(HelpWindowsTest, ClosingOnlyHidesAndTheNextShowingFindsTheSameTextFocused) {
  static HWND window;
  static HWND text;
  static HWND focusSeen;
  static int looks;
  window = form->hwnd();
  text = form->Memo1.hwnd();
  for (int showing = 0; showing < 2; ++showing) {
    focusSeen = nullptr;
    looks = 0;
    // Looks at the focus from inside the modal run, then closes the window as the user would.
    // The window manager activates the window in its own time, so it looks again for a while.
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
      focusSeen = GetFocus();
      if (focusSeen != text && ++looks < 100) return;
      KillTimer(nullptr, id);
      PostMessageW(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(form->showModal(), IDCANCEL);
    EXPECT_EQ(focusSeen, form->Memo1.hwnd());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(form->hwnd(), window);
    EXPECT_FALSE(form->visible());
  }
  EXPECT_EQ(form->Memo1.text(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(BothWindows, HelpWindowsTest, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvanta
