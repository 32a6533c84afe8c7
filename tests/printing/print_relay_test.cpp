// The relay's cycle on a virtual clock, against a store that can be told to fail, documents
// kept in memory and a shell that records what it is asked to open.
#include "printing/print_relay.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_store_service.h"
#include "fakes/fake_document_folder.h"
#include "fakes/fake_launcher.h"
#include "fakes/fake_timer.h"

namespace orvanta {
namespace {

using test::StoreFailure;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kIntervalMs = 5000;
const std::string kListing = "http://rota:52/ana%20maria/store/index.php";

std::string spacesEncoded(std::string text) {
  for (size_t at; (at = text.find(' ')) != std::string::npos;) text.replace(at, 1, "%20");
  return text;
}
std::string fileUrl(const std::string& entry) {
  return spacesEncoded("http://rota:52/ana%20maria/store/" + entry);
}
std::string removalUrl(const std::string& entry) {
  return "http://rota:52/ana%20maria/store/remove.php?arquivo=" + spacesEncoded(entry);
}

struct Host final : PrintRelayHost {
  HttpTransfer* http = nullptr;
  DocumentFolder* folder = nullptr;
  EscolhasLogin choices{"ana maria", false, false};
  std::vector<std::string> shownUrls;

  HttpTransfer* relayHttp() override { return http; }
  DocumentFolder* relayFolder() override { return folder; }
  EscolhasLogin relayChoices() override { return choices; }
  void showRelayUrl(std::string_view url) override { shownUrls.emplace_back(url); }
};

// A relay as the session window runs it once shown with direct printers off.
struct Bench {
  test::FakeTimerService clock;
  test::FakeTimer printRelayTimer{clock, kIntervalMs};
  test::FakeShell shell;
  test::FakeDocumentFolder folder;
  test::FakeStoreService store;
  Host host;
  PrintRelay relay{printRelayTimer, shell, host, Endpoints(Hosts{"rota", "rota2", "site", 52})};

  Bench() {
    host.http = &store;
    host.folder = &folder;
    printRelayTimer.setEnabled(true);
  }
  // Lets the next poll come.
  void poll() { clock.advance(kIntervalMs); }
  std::vector<std::string> opened() const {
    std::vector<std::string> targets;
    for (const auto& call : shell.calls) {
      EXPECT_EQ(call.verb, "open");
      targets.push_back(call.target);
    }
    return targets;
  }
  std::vector<std::string> localNames() const {
    std::vector<std::string> names;
    for (const auto& [name, doc] : folder.files) names.push_back(name);
    return names;
  }
  // Polling again: the timer runs and the next poll comes one interval from now.
  void expectPolling() const {
    EXPECT_TRUE(printRelayTimer.enabled());
    EXPECT_EQ(printRelayTimer.dueMs(), clock.nowMs() + kIntervalMs);
    EXPECT_FALSE(relay.ImpressaoEmAndamento);
  }
  // The document arrived whole, closed, was opened if asked and left the store.
  void expectRelayed(const std::string& entry, const std::string& localName, bool opened_) const {
    ASSERT_TRUE(folder.files.contains(localName)) << localName;
    const test::FakeDocument& doc = folder.files.at(localName);
    EXPECT_TRUE(doc.committed);
    EXPECT_FALSE(doc.open);
    EXPECT_FALSE(store.holds(entry));
    EXPECT_EQ(opened(), opened_ ? std::vector<std::string>{localName} : std::vector<std::string>{});
  }
};

struct PrintRelayTest : ::testing::Test, Bench {};

TEST_F(PrintRelayTest, AWaitingDocumentIsWrittenOpenedAndRemovedThenPollingResumes) {
  store.documents = {{"relatorio final.pdf", "%PDF-1.4 relatorio"}};
  bool flagDuringFetch = false;
  bool timerDuringFetch = true;
  store.onFileRequest = [&] {
    flagDuringFetch = relay.ImpressaoEmAndamento;
    timerDuringFetch = printRelayTimer.enabled();
  };
  clock.advance(kIntervalMs - 1);
  EXPECT_THAT(store.requests, IsEmpty());

  clock.advance(1);
  // The typed name keeps its space in the removal URL; only the entry's is encoded there.
  EXPECT_THAT(
      store.requests,
      ElementsAre(kListing, "http://rota:52/ana%20maria/store/relatorio%20final.pdf",
                  "http://rota:52/ana%20maria/store/remove.php?arquivo=relatorio%20final.pdf"));
  expectRelayed("relatorio final.pdf", "relatorio final.pdf", true);
  EXPECT_EQ(folder.files.at("relatorio final.pdf").content, "%PDF-1.4 relatorio");
  EXPECT_THAT(host.shownUrls, ElementsAre(fileUrl("relatorio final.pdf")));
  EXPECT_THAT(relay.listing(), ElementsAre("relatorio final.pdf"));
  EXPECT_TRUE(flagDuringFetch);
  EXPECT_FALSE(timerDuringFetch);
  expectPolling();
}

TEST_F(PrintRelayTest, NothingWaitingOrAFailingListingKeepsPollingQuietly) {
  store.failures[kListing] = StoreFailure::unreachable;
  poll();
  store.failures[kListing] = StoreFailure::status500;
  poll();
  store.failures.clear();
  poll();
  EXPECT_THAT(store.requests, ElementsAre(kListing, kListing, kListing));
  EXPECT_THAT(folder.files, IsEmpty());
  EXPECT_THAT(shell.calls, IsEmpty());
  expectPolling();
}

TEST_F(PrintRelayTest, OneDocumentPerCycleInListingOrderWithTheChoicesOfTheMoment) {
  store.documents = {{"a.pdf", "A"}, {"b.pdf", "B"}};
  poll();
  EXPECT_THAT(store.requests, ElementsAre(kListing, fileUrl("a.pdf"), removalUrl("a.pdf")));
  EXPECT_TRUE(store.holds("b.pdf"));
  EXPECT_THAT(localNames(), ElementsAre("a.pdf"));

  store.requests.clear();
  host.choices.alternativeRoute = true;
  poll();
  EXPECT_THAT(store.requests,
              ElementsAre("http://rota2:52/ana%20maria/store/index.php",
                          "http://rota2:52/ana%20maria/store/b.pdf",
                          "http://rota2:52/ana%20maria/store/remove.php?arquivo=b.pdf"));
  EXPECT_THAT(opened(), ElementsAre("a.pdf", "b.pdf"));
  EXPECT_THAT(store.documents, IsEmpty());
}

TEST(PrintRelayEntriesTest, UnsafeEntriesStayInTheStoreAndDoNotHoldUpTheOthers) {
  const std::string unsafe[] = {
      "..\\..\\Users\\x\\AppData\\Roaming\\Microsoft\\Windows\\Start "
      "Menu\\Programs\\Startup\\a.bat",
      "C:\\x.pdf",
      "a.pdf:stream",
      "CON.pdf",
      "sub/x.pdf",
      "a\x01.pdf",
      "",
      "..",
  };
  for (const std::string& entry : unsafe) {
    SCOPED_TRACE(entry);
    Bench b;
    b.store.documents = {{entry, "evil"}, {"ok.pdf", "OK"}};
    b.poll();
    EXPECT_THAT(b.store.requests, ElementsAre(kListing, fileUrl("ok.pdf"), removalUrl("ok.pdf")));
    EXPECT_EQ(b.relay.IndiceImpressao, 1);
    b.expectRelayed("ok.pdf", "ok.pdf", true);
    EXPECT_THAT(b.localNames(), ElementsAre("ok.pdf"));
    EXPECT_TRUE(b.store.holds(entry));
    b.expectPolling();
  }
}

TEST_F(PrintRelayTest, AListingOfUnsafeEntriesOnlyFetchesNothing) {
  store.documents = {{"CON.pdf", "x"}, {"..\\evil.pdf", "x"}};
  poll();
  poll();
  EXPECT_THAT(store.requests, ElementsAre(kListing, kListing));
  EXPECT_THAT(folder.files, IsEmpty());
  EXPECT_THAT(shell.calls, IsEmpty());
  expectPolling();
}

TEST(PrintRelayEntriesTest, OnlyPdfDocumentsAreOpenedTheOthersAreStillKeptAndRemoved) {
  struct Case {
    const char* entry;
    bool opened;
  };
  const Case cases[] = {{"nota.bat", false},   {"setup.exe", false},    {"script.js", false},
                        {"atalho.lnk", false}, {"app.hta", false},      {"doc.pdf.exe", false},
                        {"leiame", false},     {"RELATORIO.PDF", true}, {"a.Pdf", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    Bench b;
    b.store.documents = {{c.entry, "content"}};
    b.poll();
    b.expectRelayed(c.entry, c.entry, c.opened);
    EXPECT_EQ(b.folder.files.at(c.entry).content, "content");
    b.expectPolling();
  }
}

TEST(PrintRelayEntriesTest, AFailedDocumentLeavesNothingBehindAndTheNextPollTriesAgain) {
  const std::string entry = "relatorio final.pdf";
  struct Case {
    const char* what;
    std::function<void(Bench&)> breakIt;
    bool fetched;  // the file request went out
  };
  const Case cases[] = {
      {"file cannot be created", [](Bench& b) { b.folder.failCreate = true; }, false},
      {"service unreachable",
       [&](Bench& b) { b.store.failures[fileUrl(entry)] = StoreFailure::unreachable; }, true},
      {"error status",
       [&](Bench& b) { b.store.failures[fileUrl(entry)] = StoreFailure::status500; }, true},
      {"short body", [&](Bench& b) { b.store.failures[fileUrl(entry)] = StoreFailure::shortBody; },
       true},
      {"disk full", [](Bench& b) { b.folder.diskSpace = 4; }, true},
      {"flush or close fails", [](Bench& b) { b.folder.failCommit = true; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bench b;
    b.store.documents = {{entry, "%PDF-1.4 relatorio"}};
    c.breakIt(b);
    b.poll();
    if (c.fetched) {
      EXPECT_THAT(b.store.requests, ElementsAre(kListing, fileUrl(entry)));
    } else {
      EXPECT_THAT(b.store.requests, ElementsAre(kListing));
    }
    EXPECT_THAT(b.folder.files, IsEmpty());
    EXPECT_THAT(b.shell.calls, IsEmpty());
    EXPECT_TRUE(b.store.holds(entry));
    b.expectPolling();

    b.folder.failCreate = b.folder.failCommit = false;
    b.folder.diskSpace.reset();
    b.store.failures.clear();
    b.store.requests.clear();
    b.poll();
    EXPECT_THAT(b.store.requests, ElementsAre(kListing, fileUrl(entry), removalUrl(entry)));
    b.expectRelayed(entry, entry, true);
    b.expectPolling();
  }
}

TEST_F(PrintRelayTest, AFailedRemovalStillOpensTheDocumentAndPollingResumes) {
  store.documents = {{"a.pdf", "A"}};
  store.failures[removalUrl("a.pdf")] = StoreFailure::status500;
  poll();
  EXPECT_THAT(opened(), ElementsAre("a.pdf"));
  EXPECT_TRUE(store.holds("a.pdf"));
  expectPolling();

  // Still waiting, so it comes again, beside the first copy.
  store.failures.clear();
  poll();
  EXPECT_THAT(opened(), ElementsAre("a.pdf", "a (2).pdf"));
  EXPECT_THAT(localNames(), ElementsAre("a (2).pdf", "a.pdf"));
  EXPECT_FALSE(store.holds("a.pdf"));
}

TEST_F(PrintRelayTest, AnEmptyDocumentIsAWholeDocument) {
  // The client tells of no body end for it, which must not keep the document waiting.
  int endNotifications = 0;
  store.OnWorkEnd = [&](HttpTransfer&, TWorkMode) { ++endNotifications; };
  store.onFileRequest = [&] { endNotifications = 0; };
  store.documents = {{"vazio.pdf", ""}};
  poll();
  EXPECT_EQ(endNotifications, 0);
  expectRelayed("vazio.pdf", "vazio.pdf", true);
  EXPECT_EQ(folder.files.at("vazio.pdf").content, "");
  expectPolling();
}

TEST_F(PrintRelayTest, AnEarlierDocumentOfTheSameNameIsNeverReplaced) {
  folder.files["Documento.pdf"].content = "first";
  folder.files["Documento (2).pdf"].content = "second";
  store.documents = {{"Documento.pdf", "third"}};
  poll();
  EXPECT_EQ(folder.files.at("Documento.pdf").content, "first");
  EXPECT_EQ(folder.files.at("Documento (2).pdf").content, "second");
  EXPECT_EQ(folder.files.at("Documento (3).pdf").content, "third");
  EXPECT_THAT(store.requests,
              ElementsAre(kListing, fileUrl("Documento.pdf"), removalUrl("Documento.pdf")));
  expectRelayed("Documento.pdf", "Documento (3).pdf", true);
}

TEST_F(PrintRelayTest, TheEndStepDoesNothingUnlessADocumentWasJustWritten) {
  relay.IdHTTP1WorkEnd();
  EXPECT_THAT(store.requests, IsEmpty());
  EXPECT_THAT(shell.calls, IsEmpty());
}

}  // namespace
}  // namespace orvanta
