#include <gtest/gtest.h>

#include <memory>

#include "fakes/fake_message_boxes_win.h"
#include "fakes/fake_printer_list.h"
#include "help/ajudaimpressao_win.h"
#include "help_window_fixture.h"
#include "printing/printer_check.h"
#include "ui/user_messages_win.h"

namespace orvanta {
namespace {

using test::boundsIn;
using test::colouredPixels;
using test::fontOf;
using test::showAndPaint;

constexpr wchar_t kInstalled[] = L"O PDF Creator está instalado corretamente";
constexpr wchar_t kOffer[] =
    L"Para que as suas impressões funcionem é necessário instalar o PDF Creator.\r"
    L"Através dele todas as impressões serão salvas diretamente no seu computador.\r"
    L"Caso não seja instalado, não será possível imprimir.\r"
    L"Deseja instalar?";

struct PrintingHelpTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  test::FakePrinterList printers;
  int installerRuns = 0;
  WinUserMessages messages{app};
  // As the window set hands the check to the window.
  PrinterCheck check{printers, messages, [this] { ++installerRuns; }};
  std::unique_ptr<TFrmAjudaImpressao> form = make();

  std::unique_ptr<TFrmAjudaImpressao> make() {
    auto made = std::make_unique<TFrmAjudaImpressao>(app);
    made->checkPrinter = [this] { check.check(); };
    made->hwnd();  // made when first needed; the tests look at its controls
    return made;
  }

  // As the button reports a click to its window, so failures take the program's own path.
  void click() {
    SendMessageW(form->hwnd(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(form->Button1.hwnd()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Button1.hwnd()));
  }
};

TEST_F(PrintingHelpTest, ButtonSpansTheFootUnderPictureAndText) {
  const RECT r = boundsIn(form->hwnd(), form->Button1.hwnd());
  const RECT expected{0, 372, 912, 397};
  EXPECT_TRUE(EqualRect(&r, &expected));
  EXPECT_EQ(form->Button1.text(), "Verificar se o PDF Creator está instalado no meu computador");
  EXPECT_STREQ(fontOf(form->Button1.hwnd()).lfFaceName, L"Tahoma");
  showAndPaint(app, form->hwnd());
  EXPECT_GT(colouredPixels(form->hwnd(), {0, 374, 912, 396}), 1000);
}

TEST_F(PrintingHelpTest, PresentPrinterIsConfirmedInAnInformationBox) {
  printers.printers = {"PDF Creator", "pdfcreator"};
  click();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kInstalled);
  EXPECT_EQ(boxes.boxes[0].caption, app.title());
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(installerRuns, 0);
}

TEST_F(PrintingHelpTest, MissingPrinterAsksAndOnlyYesRunsTheInstaller) {
  printers.printers = {"PDF Creator"};
  boxes.answer = IDNO;
  click();
  EXPECT_EQ(installerRuns, 0);
  boxes.answer = IDYES;
  click();
  EXPECT_EQ(installerRuns, 1);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  for (const auto& box : boxes.boxes) {
    EXPECT_EQ(box.text, kOffer);
    EXPECT_EQ(box.caption, L"Confirm");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));
  }
  EXPECT_EQ(printers.reads, 2);
}

TEST_F(PrintingHelpTest, AFailingPrinterListReachesTheErrorBox) {
  printers.failure = "Cannot list the printers. The RPC server is unavailable";
  click();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"Cannot list the printers. The RPC server is unavailable.");
  EXPECT_EQ(boxes.boxes[0].caption, app.title());
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(installerRuns, 0);
}

}  // namespace
}  // namespace orvanta
