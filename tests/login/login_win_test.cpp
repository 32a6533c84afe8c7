#include "login/login_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_message_boxes_win.h"
#include "fakes_login.h"
#include "login/mensagens_login.h"
#include "ui/application_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

#include <cstdlib>

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

RECT noCliente(HWND pai, HWND controle) {
  RECT r{};
  GetWindowRect(controle, &r);
  MapWindowPoints(HWND_DESKTOP, pai, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring texto(HWND h) {
  wchar_t buffer[256] = {};
  GetWindowTextW(h, buffer, 256);
  return buffer;
}

struct JanelaLogin : ::testing::Test {
  fakes::FakeMessageBoxes boxes;
  Application app{boxes};
  TFrmLogin form{app};
  teste::HttpRoteiro* http = nullptr;
  teste::ControleGravado controle;
  int entregas = 0;
  int atualizacoes = 0;
  Endpoints endpoints;

  void SetUp() override {
    auto cliente = std::make_unique<teste::HttpRoteiro>();
    http = cliente.get();
    http->respostas[endpoints.versao()] = "2.0";
    form.IdHTTP1 = std::move(cliente);
    form.controleSessao = [this]() -> ControleRemoto& { return controle; };
    form.passarSessao = [this] { ++entregas; };
    form.executarAtualizacao = [this] { ++atualizacoes; };
  }

  std::vector<std::string> mensagens() const {
    std::vector<std::string> textos;
    for (const auto& b : boxes.boxes) {
      textos.push_back(narrow(b.text));
    }
    return textos;
  }
  void mostrar() {
    form.show();
    SetForegroundWindow(form.hwnd());
    form.Edit1.setFocus();
  }
  void digitar(const Control& campo, const wchar_t* teclas) {
    for (const wchar_t* c = teclas; *c; ++c) {
      SendMessageW(campo.hwnd(), WM_CHAR, *c, 0);
    }
  }
  void sair(Control& de, Control& para) {
    de.setFocus();
    para.setFocus();
  }
};

TEST_F(JanelaLogin, ControlsSitWhereTheyBelongWithTheirFonts) {
  EXPECT_EQ(form.clientSize().cx, 566);
  EXPECT_EQ(form.clientSize().cy, 401);
  EXPECT_EQ(form.caption(), "Login Orvanta");
  struct Caso {
    HWND controle;
    RECT esperado;
    int fontePx;
  };
  const Caso casos[] = {
      {form.Edit1.hwnd(), {304, 87, 545, 114}, 16},
      {form.Edit2.hwnd(), {304, 151, 545, 178}, 16},
      {form.RadioGroup1.hwnd(), {304, 200, 545, 241}, 16},
      {form.Button1.hwnd(), {344, 280, 497, 321}, 16},
      {form.CheckBox1.hwnd(), {304, 352, 558, 369}, 13},
      {form.CheckBox2.hwnd(), {304, 376, 558, 393}, 13},
  };
  for (const auto& c : casos) {
    const RECT r = noCliente(form.hwnd(), c.controle);
    EXPECT_EQ(r.left, c.esperado.left) << narrow(texto(c.controle));
    EXPECT_EQ(r.top, c.esperado.top);
    EXPECT_EQ(r.right, c.esperado.right);
    EXPECT_EQ(r.bottom, c.esperado.bottom);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c.controle, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -c.fontePx);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  }
  const RECT imagem = noCliente(form.hwnd(), form.Image1.hwnd());
  EXPECT_EQ(imagem.right - imagem.left, 282);
  EXPECT_EQ(imagem.bottom - imagem.top, 401);
  EXPECT_NE(form.Image1.bitmap(), nullptr);
  EXPECT_EQ(SendMessageW(form.Edit2.hwnd(), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(texto(form.RadioGroup1.item(0)), L"Ruruvudud");
  EXPECT_EQ(texto(form.RadioGroup1.item(1)), L"Rozevuv");
  EXPECT_FALSE(form.RadioGroup1.visible());
  EXPECT_EQ(form.RadioGroup1.itemIndex(), 0);
}

TEST_F(JanelaLogin, ShowClearsRelayFlagAndChecksVersion) {
  std::vector<size_t> requestsWhenCleared;
  form.clearPrintInProgress = [&] { requestsWhenCleared.push_back(http->pedidos.size()); };
  http->respostas[endpoints.versao()] = "2.1";
  mostrar();
  EXPECT_THAT(requestsWhenCleared, ElementsAre(0u));
  EXPECT_THAT(mensagens(), ElementsAre(mensagens_login::NovaVersao));
  EXPECT_EQ(boxes.boxes[0].caption, app.title());
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(atualizacoes, 1);
}

TEST_F(JanelaLogin, TabOrderFollowsTheTabPositions) {
  mostrar();
  auto ordem = [this](HWND de) {
    std::vector<HWND> vistos;
    for (int i = 0; i < 5; ++i) {
      de = GetNextDlgTabItem(form.hwnd(), de, FALSE);
      vistos.push_back(de);
    }
    return vistos;
  };
  EXPECT_THAT(ordem(form.Edit1.hwnd()),
              ElementsAre(form.Edit2.hwnd(), form.Button1.hwnd(), form.CheckBox1.hwnd(),
                          form.CheckBox2.hwnd(), form.Edit1.hwnd()));
  form.RadioGroup1.setVisible(true);
  EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), form.Button1.hwnd(), FALSE), form.RadioGroup1.item(0));
}

TEST_F(JanelaLogin, AccountFieldLowerCasesTypedAndPastedLetters) {
  mostrar();
  digitar(form.Edit1, L"AbC1");
  EXPECT_EQ(form.Edit1.text(), "abc1");
  SendMessageW(form.Edit1.hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"XY2"));
  EXPECT_EQ(form.escolhas().nomeDigitado, "abc1xy2");
}

TEST_F(JanelaLogin, LeavingTheAccountFieldTogglesTheSiteSelector) {
  mostrar();
  digitar(form.Edit1, L"Tamberi2");
  sair(form.Edit1, form.Edit2);
  EXPECT_TRUE(form.RadioGroup1.visible());
  SendMessageW(form.RadioGroup1.item(1), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.Button1.focused());
  EXPECT_EQ(form.RadioGroup1.itemIndex(), 1);
  digitar(form.Edit1, L"x");
  sair(form.Edit1, form.Edit2);
  EXPECT_FALSE(form.RadioGroup1.visible());
  EXPECT_EQ(form.RadioGroup1.itemIndex(), 1);
}

TEST_F(JanelaLogin, FocusTakenByAnotherWindowIsNotLeavingTheField) {
  mostrar();
  digitar(form.Edit1, L"tamberi");
  HWND outra = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  SetFocus(outra);
  EXPECT_FALSE(form.RadioGroup1.visible());
  DestroyWindow(outra);
}

TEST_F(JanelaLogin, EnterReleasedInEitherFieldLogsIn) {
  http->respostas[endpoints.login(false, "tamberi_ruruvudud")] = "srv;3389";
  mostrar();
  digitar(form.Edit1, L"tamberi2");
  sair(form.Edit1, form.Edit2);
  digitar(form.Edit2, L"Pw9");
  SendMessageW(form.Edit2.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(entregas, 0);
  SendMessageW(form.Edit2.hwnd(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(entregas, 1);
  EXPECT_THAT(controle.chamadas,
              ElementsAre("UserName=tamberi2", "ClearTextPassword=Pw9", "DesktopWidth=1024",
                          "DesktopHeight=768", "Server=srv", "RDPPort=3389"));
  SendMessageW(form.Edit1.hwnd(), WM_KEYDOWN, VK_TAB, 0);
  SendMessageW(form.Edit1.hwnd(), WM_KEYUP, VK_TAB, 0);
  EXPECT_EQ(entregas, 1);
  SendMessageW(form.Edit1.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  SendMessageW(form.Edit1.hwnd(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(entregas, 2);
  // An Enter pressed elsewhere (on a message box) and released in the field.
  SendMessageW(form.Edit1.hwnd(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(entregas, 2);
  EXPECT_THAT(mensagens(), IsEmpty());
}

TEST_F(JanelaLogin, ButtonUsesRouteAndReportsFailuresLeavingFields) {
  mostrar();
  digitar(form.Edit1, L"ana");
  SendMessageW(form.CheckBox2.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form.Button1.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(http->pedidos.back(), endpoints.login(true, "ana"));
  EXPECT_THAT(mensagens(),
              ElementsAre(mensagens_login::RotaAlternativa, mensagens_login::FalhaConexao));
  EXPECT_EQ(form.Edit1.text(), "ana");
  EXPECT_TRUE(form.escolhas().rotaAlternativa);
  EXPECT_EQ(entregas, 0);
}

TEST_F(JanelaLogin, WithoutASessionControlTheServiceIsStillAsked) {
  form.controleSessao = nullptr;
  http->respostas[endpoints.login(false, "ana")] = "srv;3389";
  http->respostas[endpoints.login(false, "anax")] = "";
  mostrar();
  digitar(form.Edit1, L"ana");
  SendMessageW(form.Button1.hwnd(), BM_CLICK, 0, 0);
  digitar(form.Edit1, L"x");
  SendMessageW(form.Button1.hwnd(), BM_CLICK, 0, 0);
  EXPECT_THAT(http->pedidos, ElementsAre(endpoints.versao(), endpoints.login(false, "ana"),
                                         endpoints.login(false, "anax")));
  EXPECT_THAT(mensagens(),
              ElementsAre(mensagens_login::FalhaConexao, mensagens_login::UsuarioNaoEncontrado));
  EXPECT_EQ(entregas, 0);
}

TEST_F(JanelaLogin, CheckBoxesWarnOnlyWhenChecked) {
  mostrar();
  for (int i = 0; i < 2; ++i) {
    SendMessageW(form.CheckBox1.hwnd(), BM_CLICK, 0, 0);
    SendMessageW(form.CheckBox2.hwnd(), BM_CLICK, 0, 0);
  }
  EXPECT_THAT(mensagens(),
              ElementsAre(mensagens_login::ImpressorasDiretas, mensagens_login::RotaAlternativa));
  EXPECT_FALSE(form.escolhas().impressorasDiretas);
}

}  // namespace
}  // namespace orvanta

namespace orvanta {
namespace {

TEST_F(JanelaLogin, PaintsPictureOnTheLeftAndWhiteElsewhere) {
  mostrar();
  for (int i = 0; i < 20; ++i) {
    app.processMessages();
    Sleep(20);
  }
  if (const char* pausa = std::getenv("ORVANTA_PAUSA_MS")) {
    Sleep(static_cast<DWORD>(std::atoi(pausa)));  // time for a screenshot when asked
  }
  WindowDc dc(form.hwnd());
  auto cor = [&](int x, int y) { return GetPixel(dc.get(), x, y); };
  EXPECT_EQ(cor(290, 20), RGB(255, 255, 255));
  EXPECT_EQ(cor(560, 395), RGB(255, 255, 255));
  const COLORREF canto = cor(3, 3);
  EXPECT_GT(GetBValue(canto), GetRValue(canto));
  EXPECT_LT(GetBValue(canto), 0x50);
}

}  // namespace
}  // namespace orvanta
