#include "printing/printer_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/exception.h"
#include "fakes/fake_printer_list.h"
#include "fakes/fake_user_messages.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kInstalled[] = "O PDF Creator está instalado corretamente";
constexpr char kOffer[] =
    "Para que as suas impressões funcionem é necessário instalar o PDF Creator.\r"
    "Através dele todas as impressões serão salvas diretamente no seu computador.\r"
    "Caso não seja instalado, não será possível imprimir.\r"
    "Deseja instalar?";

struct NameCase {
  const char* name;
  bool isPdfCreator;
};

TEST(PdfCreatorNameTest, OnlyLettersAToZFoldCase) {
  const NameCase cases[] = {
      {"PDFCreator", true},
      {"pdfcreator", true},
      {"PDFCREATOR", true},
      {"pDfCrEaToR", true},
      {"PDF Creator", false},
      {"PDFCreator (redirecionada 2)", false},
      {"\\\\srv\\PDFCreator", false},
      {" PDFCreator", false},
      {"PDFCreator ", false},
      {"PDFCreato", false},
      {"PDFCreators", false},
      {"", false},
      // Only A to Z fold: a look-alike Cyrillic letter or a full-width one is another
      // character.
      {"PDF\xD0\xA1reator", false},
      {"\xEF\xBC\xB0"
       "DFCreator",
       false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isPdfCreator(c.name), c.isPdfCreator) << '"' << c.name << '"';
  }
}

struct PrinterCheckTest : ::testing::Test {
  test::FakePrinterList printers;
  test::FakeUserMessages messages;
  int installerRuns = 0;
  PrinterCheck check{printers, messages, [this] { ++installerRuns; }};
};

TEST_F(PrinterCheckTest, PresentPrinterIsConfirmedAmongOthers) {
  printers.printers = {"Microsoft Print to PDF", "PDF Creator", "pdfcreator", "\\\\srv\\Laser"};
  check.check();
  EXPECT_THAT(messages.messages, ElementsAre(kInstalled));
  EXPECT_THAT(messages.confirmations, IsEmpty());
  EXPECT_EQ(installerRuns, 0);
}

TEST_F(PrinterCheckTest, MissingPrinterOffersTheInstallerAndYesRunsIt) {
  printers.printers = {"PDF Creator", "PDFCreator (redirecionada 2)", "\\\\srv\\PDFCreator"};
  messages.confirmAnswer = true;
  check.check();
  EXPECT_THAT(messages.confirmations, ElementsAre(kOffer));
  EXPECT_THAT(messages.messages, IsEmpty());
  EXPECT_EQ(installerRuns, 1);
}

TEST_F(PrinterCheckTest, NoLeavesEverythingAsItWas) {
  messages.confirmAnswer = false;
  check.check();  // no printer at all
  EXPECT_THAT(messages.confirmations, ElementsAre(kOffer));
  EXPECT_EQ(installerRuns, 0);
}

TEST_F(PrinterCheckTest, EveryCheckReadsTheListAgainSoAnInstalledPrinterIsFound) {
  check.check();
  EXPECT_EQ(installerRuns, 1);
  // The installer added the printer while this program kept running.
  printers.printers = {"PDFCreator"};
  check.check();
  EXPECT_EQ(printers.reads, 2);
  EXPECT_THAT(messages.confirmations, ElementsAre(kOffer));
  EXPECT_THAT(messages.messages, ElementsAre(kInstalled));
  EXPECT_EQ(installerRuns, 1);
}

TEST_F(PrinterCheckTest, TwoYesAnswersRunTheInstallerTwice) {
  check.check();
  check.check();
  EXPECT_EQ(installerRuns, 2);
}

TEST_F(PrinterCheckTest, AFailingListReachesTheCallerAndAsksNothing) {
  printers.failure = "Cannot list the printers. The RPC server is unavailable.";
  EXPECT_THROW(check.check(), Exception);
  EXPECT_THAT(messages.messages, IsEmpty());
  EXPECT_THAT(messages.confirmations, IsEmpty());
  EXPECT_EQ(installerRuns, 0);
}

}  // namespace
}  // namespace orvanta
