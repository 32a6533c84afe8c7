// The relay's cycles on a virtual clock, against a store that can be told to fail, documents
// kept in memory, a shell that records what it is asked to open and a worker that runs each
// job at once.
#include "printing/print_relay.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_store_service.h"
#include "fakes/fake_file_folder.h"
#include "fakes/fake_launcher.h"
#include "fakes/fake_timer.h"

namespace orvanta {
namespace {

using test::Failure;
using test::StoreFailure;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kIntervalMs = 5000;
const std::string kListing = "http://rota:52/ana%20maria/store/index.php";

std::string fileUrl(const std::string& encodedEntry) {
  return "http://rota:52/ana%20maria/store/" + encodedEntry;
}
std::string removalUrl(const std::string& encodedEntry) {
  return "http://rota:52/ana%20maria/store/remove.php?arquivo=" + encodedEntry;
}

class InlineWorker final : public RelayWorker {
 public:
  void start(std::function<void()> job, std::function<void()> done) override {
    job();
    done();
  }
  void cancel() override { ++cancels; }
  int cancels = 0;
};

// A relay as the session window runs it once shown with direct printers off.
struct Bench {
  test::FakeTimerService clock;
  test::FakeTimer timer{clock, kIntervalMs};
  test::FakeShell shell;
  test::FakeFileFolder folder;
  test::FakeStoreService store;
  InlineWorker worker;
  EscolhasLogin choices{"ana maria", false, false};
  std::vector<std::string> shownUrls;
  PrintRelay relay{
      PrintRelayParts{.timer = timer,
                      .shell = shell,
                      .worker = worker,
                      .http = store,
                      .folder = folder,
                      .choices = [this] { return choices; },
                      .nowMs = [this] { return clock.nowMs(); },
                      .showUrl = [this](std::string_view url) { shownUrls.emplace_back(url); },
                      .endpoints = Endpoints(Hosts{"rota", "rota2", "site", 52})}};

  Bench() { timer.setEnabled(true); }
  // Lets `count` cycles come, each at its due time.
  void cycles(int count) {
    for (int i = 0; i < count; ++i) ASSERT_TRUE(clock.fireNext());
  }
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
  int requestsOf(const std::string& url) const {
    return static_cast<int>(std::count(store.requests.begin(), store.requests.end(), url));
  }
  // Polling again: the next cycle comes 5 s from now.
  void expectPolling() const {
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.dueMs(), clock.nowMs() + kIntervalMs);
    EXPECT_FALSE(relay.ImpressaoEmAndamento);
  }
};

struct PrintRelayTest : ::testing::Test, Bench {};

TEST_F(PrintRelayTest, AWaitingDocumentIsSavedOpenedThenRemovedAndTheNextCycleComes5sLater) {
  store.documents = {{"relatorio final.pdf", "%PDF-1.4 relatorio"}};
  bool flagDuringFetch = false;
  bool timerDuringFetch = true;
  store.onFileRequest = [&] {
    flagDuringFetch = relay.ImpressaoEmAndamento;
    timerDuringFetch = timer.enabled();
    // Written under a temporary name until whole.
    EXPECT_THAT(localNames(), ElementsAre("~orvanta-relay-1.part"));
  };
  clock.advance(kIntervalMs - 1);
  EXPECT_THAT(store.requests, IsEmpty());

  clock.advance(1);
  EXPECT_THAT(store.requests, ElementsAre(kListing, fileUrl("relatorio%20final.pdf"),
                                          removalUrl("relatorio%20final.pdf")));
  EXPECT_THAT(localNames(), ElementsAre("relatorio final.pdf"));
  const test::FakeFile& doc = folder.files.at("relatorio final.pdf");
  EXPECT_EQ(doc.content, "%PDF-1.4 relatorio");
  EXPECT_TRUE(doc.committed);
  EXPECT_FALSE(doc.open);
  EXPECT_THAT(opened(), ElementsAre("relatorio final.pdf"));
  EXPECT_FALSE(store.holds("relatorio final.pdf"));
  EXPECT_THAT(shownUrls, ElementsAre(fileUrl("relatorio%20final.pdf")));
  EXPECT_TRUE(flagDuringFetch);
  EXPECT_FALSE(timerDuringFetch);
  expectPolling();
}

TEST_F(PrintRelayTest, OneDocumentPerCycleInListingOrderWithTheChoicesOfTheMoment) {
  store.documents = {{"a.pdf", "A"}, {"b.pdf", "B"}};
  cycles(1);
  EXPECT_THAT(store.requests, ElementsAre(kListing, fileUrl("a.pdf"), removalUrl("a.pdf")));
  store.requests.clear();
  choices.alternativeRoute = true;
  cycles(1);
  EXPECT_THAT(store.requests,
              ElementsAre("http://rota2:52/ana%20maria/store/index.php",
                          "http://rota2:52/ana%20maria/store/b.pdf",
                          "http://rota2:52/ana%20maria/store/remove.php?arquivo=b.pdf"));
  EXPECT_THAT(opened(), ElementsAre("a.pdf", "b.pdf"));
  EXPECT_THAT(store.documents, IsEmpty());
}

// The first entry of the listing is troubled in its own way; the good one behind it must arrive
// within three cycles, and each entry is opened at most once.
TEST(PrintRelayTableTest, AnEntryThatCannotBeRelayedNeverHoldsUpTheOnesBehindIt) {
  struct Case {
    const char* what;
    std::string entry;
    std::string encoded;  // as it must be requested
    std::optional<StoreFailure> failure;
    std::string localName;  // empty: never saved or opened
    bool requested;
  };
  const Case cases[] = {
      {"persistent 404", "a.pdf", "a.pdf", StoreFailure::status404, "", true},
      {"persistent 500", "a.pdf", "a.pdf", StoreFailure::status500, "", true},
      {"always truncated", "a.pdf", "a.pdf", StoreFailure::shortBody, "", true},
      {"always silent", "a.pdf", "a.pdf", StoreFailure::timeout, "", true},
      {"hash in the name", "a#b.pdf", "a%23b.pdf", std::nullopt, "a#b.pdf", true},
      {"query and percent", "a?b%c.pdf", "a%3Fb%25c.pdf", std::nullopt, "", false},
      {"UTF-8 listing", "relat\xC3\xB3rio final.pdf", "relat%C3%B3rio%20final.pdf", std::nullopt,
       "relat\xC3\xB3rio final.pdf", true},
      {"ISO-8859-1 listing", "relat\xF3rio.pdf", "relat%F3rio.pdf", std::nullopt,
       "relat\xC3\xB3rio.pdf", true},
      {"not a PDF", "setup.exe", "setup.exe", std::nullopt, "", false},
      {"not a PDF either", "notas.txt", "notas.txt", std::nullopt, "", false},
      {"a library", "version.dll", "version.dll", std::nullopt, "", false},
      {"unsafe as a local name", "..\\x.pdf", "..%5Cx.pdf", std::nullopt, "", false},
      {"device name", "CON.pdf", "CON.pdf", std::nullopt, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bench b;
    b.store.documents = {{c.entry, "%PDF first"}, {"bom.pdf", "%PDF good"}};
    if (c.failure) b.store.failures.emplace(fileUrl(c.encoded), Failure(*c.failure));
    b.cycles(3);

    ASSERT_TRUE(b.folder.files.contains("bom.pdf"));
    EXPECT_EQ(b.folder.files.at("bom.pdf").content, "%PDF good");
    EXPECT_FALSE(b.store.holds("bom.pdf"));
    EXPECT_EQ(b.requestsOf(fileUrl("bom.pdf")), 1);
    EXPECT_EQ(b.requestsOf(fileUrl(c.encoded)) > 0, c.requested);
    if (c.localName.empty()) {
      EXPECT_THAT(b.opened(), ElementsAre("bom.pdf"));
      EXPECT_THAT(b.localNames(), ElementsAre("bom.pdf"));
      EXPECT_TRUE(b.store.holds(c.entry));
      EXPECT_EQ(b.requestsOf(removalUrl(c.encoded)), 0);
    } else {
      EXPECT_THAT(b.opened(), ElementsAre(c.localName, "bom.pdf"));
      EXPECT_EQ(b.folder.files.at(c.localName).content, "%PDF first");
      EXPECT_FALSE(b.store.holds(c.entry));
    }
    b.expectPolling();
  }
}

TEST_F(PrintRelayTest, ASetAsideEntryIsRetriedWithBackOffAtMostOnceAMinuteAndArrivesWhenItCan) {
  store.documents = {{"a.pdf", "A"}};
  store.failures.emplace(fileUrl("a.pdf"), Failure(StoreFailure::status500, 5));
  std::vector<int64_t> fetches;
  store.onFileRequest = [&] { fetches.push_back(clock.nowMs()); };
  clock.advance(200000);
  EXPECT_THAT(fetches, ElementsAre(5000, 10000, 20000, 80000, 140000, 200000));
  EXPECT_THAT(opened(), ElementsAre("a.pdf"));
  EXPECT_FALSE(store.holds("a.pdf"));
}

TEST(PrintRelayTableTest, ADocumentIsOpenedOnceWhateverItsRemovalAnswers) {
  struct Case {
    const char* what;
    std::function<void(Bench&)> script;
    bool removedInTheEnd;
  };
  const Case cases[] = {
      {"200 and removed", [](Bench&) {}, true},
      {"200 and ignored", [](Bench& b) { b.store.ignoreRemovals = true; }, false},
      {"500 twice",
       [](Bench& b) {
         b.store.failures.emplace(removalUrl("d5c.pdf"), Failure(StoreFailure::status500, 2));
       },
       true},
      {"500 always",
       [](Bench& b) {
         b.store.failures.emplace(removalUrl("d5c.pdf"), Failure(StoreFailure::status500));
       },
       false},
      {"time-out",
       [](Bench& b) {
         b.store.failures.emplace(removalUrl("d5c.pdf"), Failure(StoreFailure::timeout));
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bench b;
    b.store.documents = {{"d5c.pdf", "%PDF"}};
    c.script(b);
    b.cycles(6);
    EXPECT_THAT(b.opened(), ElementsAre("d5c.pdf"));
    EXPECT_THAT(b.localNames(), ElementsAre("d5c.pdf"));
    EXPECT_EQ(b.requestsOf(fileUrl("d5c.pdf")), 1);
    EXPECT_EQ(b.store.holds("d5c.pdf"), !c.removedInTheEnd);
    // While listed, its removal is asked again on every cycle.
    if (!c.removedInTheEnd) {
      EXPECT_EQ(b.requestsOf(removalUrl("d5c.pdf")), 6);
    }
    b.expectPolling();
  }
}

TEST_F(PrintRelayTest, ANameThatLeftTheListingAndComesBackIsANewDocument) {
  store.documents = {{"a.pdf", "first"}};
  store.ignoreRemovals = true;
  cycles(2);
  store.documents.clear();
  cycles(1);
  store.documents = {{"a.pdf", "second"}};
  cycles(2);
  EXPECT_THAT(opened(), ElementsAre("a.pdf", "a (2).pdf"));
  EXPECT_EQ(folder.files.at("a (2).pdf").content, "second");
}

TEST_F(PrintRelayTest, FailedListingsDoubleThePauseUpTo60sAndASuccessBringsBack5s) {
  store.failures.emplace(kListing, Failure(StoreFailure::unreachable, 6));
  std::vector<int64_t> polls;
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(clock.fireNext());
    polls.push_back(clock.nowMs());
  }
  EXPECT_THAT(polls, ElementsAre(5000, 15000, 35000, 75000, 135000, 195000, 255000, 260000));
  EXPECT_THAT(store.requests, ::testing::Each(kListing));
  expectPolling();
}

TEST(PrintRelayTableTest, AFailedDocumentLeavesNoFileAndNothingOpenedOrRemoved) {
  const std::string entry = "relatorio final.pdf";
  const std::string url = fileUrl("relatorio%20final.pdf");
  struct Case {
    const char* what;
    std::function<void(Bench&)> breakIt;
  };
  const Case cases[] = {
      {"file cannot be created", [](Bench& b) { b.folder.failCreate = true; }},
      {"service unreachable",
       [&](Bench& b) { b.store.failures.emplace(url, Failure(StoreFailure::unreachable)); }},
      {"short body",
       [&](Bench& b) { b.store.failures.emplace(url, Failure(StoreFailure::shortBody)); }},
      {"disk full", [](Bench& b) { b.folder.diskSpace = 4; }},
      {"flush or close fails", [](Bench& b) { b.folder.failCommit = true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bench b;
    b.store.documents = {{entry, "%PDF-1.4 relatorio"}};
    c.breakIt(b);
    b.cycles(1);
    EXPECT_THAT(b.folder.files, IsEmpty());
    EXPECT_THAT(b.shell.calls, IsEmpty());
    EXPECT_TRUE(b.store.holds(entry));
    b.expectPolling();
  }
}

TEST_F(PrintRelayTest, AnEarlierDocumentOfTheSameNameIsNeverReplaced) {
  folder.files["Documento.pdf"].content = "first";
  folder.files["Documento (2).pdf"].content = "second";
  store.documents = {{"Documento.pdf", "third"}};
  cycles(1);
  EXPECT_EQ(folder.files.at("Documento.pdf").content, "first");
  EXPECT_EQ(folder.files.at("Documento (2).pdf").content, "second");
  EXPECT_EQ(folder.files.at("Documento (3).pdf").content, "third");
  EXPECT_THAT(opened(), ElementsAre("Documento (3).pdf"));
}

TEST(PrintRelayTableTest, TemporaryFilesOfAnEarlierRunAreDeletedAtStartAndStoppingCancels) {
  test::FakeTimerService clock;
  test::FakeTimer timer{clock, kIntervalMs};
  test::FakeShell shell;
  test::FakeFileFolder folder;
  folder.files["~orvanta-relay-1.part"].content = "%PDF half";
  folder.files["~orvanta-relay-7.part"].content = "";
  folder.files["relatorio.pdf"].content = "%PDF whole";
  test::FakeStoreService store;
  InlineWorker worker;
  {
    PrintRelay relay{PrintRelayParts{.timer = timer,
                                     .shell = shell,
                                     .worker = worker,
                                     .http = store,
                                     .folder = folder,
                                     .choices = {},
                                     .nowMs = [&] { return clock.nowMs(); },
                                     .showUrl = {}}};
    EXPECT_THAT(folder.removed, ElementsAre("~orvanta-relay-1.part", "~orvanta-relay-7.part"));
    timer.setEnabled(true);
    relay.stop();
    EXPECT_EQ(worker.cancels, 1);
    EXPECT_FALSE(timer.enabled());
  }
  EXPECT_FALSE(timer.onTick);
}

TEST_F(PrintRelayTest, TheEndStepDoesNothingUnlessADocumentWasJustSaved) {
  relay.ImpressaoEmAndamento = true;
  relay.IdHTTP1WorkEnd();
  EXPECT_THAT(store.requests, IsEmpty());
  EXPECT_THAT(shell.calls, IsEmpty());
}

}  // namespace
}  // namespace orvanta
