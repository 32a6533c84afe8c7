#include "update/janela_download.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "download_rig.h"

namespace orvanta::test {
namespace {

constexpr const char* kUrl = "http://site.test/program.exe";
constexpr const char* kFileName = "program.exe";
constexpr std::array<std::string_view, 1> kPublishers{"Test Publisher"};
constexpr PublisherPolicy kChecked{true, kPublishers};
constexpr uint32_t kNoSignature = 0x800B0100;  // TRUST_E_NOSIGNATURE

// One download window in virtual time, with a class position that may outlive it. Its program
// is signed by the expected publisher unless a test says otherwise.
class DownloadWindow {
 public:
  explicit DownloadWindow(int& lastPosition, Script script = {}, PublisherPolicy policy = kChecked)
      : window(
            rig.environment(), lastPosition,
            [policy] {
              return DownloadDestination{kUrl, kFileName, policy};
            },
            [this] { afterLaunchTimesMs.push_back(rig.clock.nowMs()); }) {
    rig.http.script = std::move(script);
    rig.signatures.result = {0, "Test Publisher", "Test Publisher"};
  }

  const test::FakeFile& file() { return rig.folder.files.at(kFileName); }

  DownloadRig rig;
  std::vector<int64_t> afterLaunchTimesMs;
  JanelaDownload window;
};

std::vector<Piece> evenPieces(int count, int64_t waitMs, size_t bytes) {
  return std::vector<Piece>(static_cast<size_t>(count), Piece{waitMs, bytes});
}

size_t totalBytes(const Script& r) {
  return std::accumulate(r.pieces.begin(), r.pieces.end(), size_t{0},
                         [](size_t sum, const Piece& t) { return sum + t.bytes; });
}

TEST(JanelaDownloadTest, StartsTheDownloadThreeSecondsAfterBeingShown) {
  int lastPosition = 0;
  DownloadWindow j(lastPosition, Script{100, evenPieces(1, 0, 100)});
  j.rig.clock.advance(20000);
  EXPECT_TRUE(j.rig.http.urls.empty()) << "nothing happens before the window is shown";

  j.rig.clock.advanceTo(30000);
  j.window.FormShow();
  j.rig.clock.advanceTo(32999);
  EXPECT_TRUE(j.rig.http.urls.empty());
  EXPECT_TRUE(j.rig.folder.files.empty());

  j.rig.clock.advanceTo(33000);
  ASSERT_EQ(j.rig.http.urls, std::vector<std::string>{kUrl});
  EXPECT_EQ(*j.rig.http.startMs, 33000);
  EXPECT_EQ(j.file().timesCreated, 1);
  EXPECT_FALSE(j.rig.timer1.enabled());
  EXPECT_TRUE(j.rig.timer2.enabled());

  j.rig.clock.advance(60000);
  EXPECT_EQ(j.rig.http.urls.size(), 1u) << "the download runs once";
}

struct CompleteCase {
  const char* name;
  Script script;
};

void PrintTo(const CompleteCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class CompleteDownloadTest : public testing::TestWithParam<CompleteCase> {};

// Whatever the pace and whether or not the length is known, the program is started once, only
// after the fetch has returned with the whole file closed, and at the latest at the second
// check after the last byte.
TEST_P(CompleteDownloadTest, StartsTheFinishedFileByTheSecondCheckAfterTheLastByte) {
  int lastPosition = 0;
  const Script& script = GetParam().script;
  DownloadWindow j(lastPosition, script);
  j.window.FormShow();
  j.rig.clock.advance(200000);

  ASSERT_EQ(j.rig.launches.size(), 1u);
  const Launch& l = j.rig.launches[0];
  EXPECT_EQ(l.name, kFileName);
  EXPECT_TRUE(l.transferFinished);
  EXPECT_FALSE(l.fileOpen);
  EXPECT_GT(l.ms, *j.rig.http.endMs);
  EXPECT_LE(l.ms, *j.rig.http.endMs + 2 * JanelaDownload::kCheckIntervalMs);
  EXPECT_EQ(j.afterLaunchTimesMs, std::vector<int64_t>{l.ms});
  EXPECT_FALSE(j.rig.timer2.enabled());
  // Checked once, right before the start, on the closed file.
  ASSERT_EQ(j.rig.verifications.size(), 1u);
  EXPECT_EQ(j.rig.verifications[0].name, kFileName);
  EXPECT_EQ(j.rig.verifications[0].ms, l.ms);
  EXPECT_FALSE(j.rig.verifications[0].fileOpen);
  EXPECT_TRUE(j.rig.shownMessages.empty());

  EXPECT_EQ(j.file().content.size(), totalBytes(script));
  EXPECT_EQ(j.window.ProgressBar1().position(), j.window.ProgressBar1().max());
  EXPECT_EQ(j.window.ProgressBar1().max(), script.length.value_or(0));
  EXPECT_EQ(lastPosition, j.window.ProgressBar1().position());
}

std::vector<Piece> stalled() {
  return {{0, 1000}, {25000, 1000, true}, {1000, 1000}};
}

INSTANTIATE_TEST_SUITE_P(
    Paces, CompleteDownloadTest,
    testing::Values(CompleteCase{"Instant", {4096, evenPieces(1, 0, 4096)}},
                    CompleteCase{"OnePiecePerSecond", {30000, evenPieces(30, 1000, 1000)}},
                    CompleteCase{"OnePieceEvery9900ms", {5000, evenPieces(5, 9900, 1000)}},
                    CompleteCase{"EndsJustBeforeACheck", {2000, {{0, 1000}, {9999, 1000}}}},
                    CompleteCase{"EndsOnACheck", {2000, {{0, 1000}, {10000, 1000}}}},
                    CompleteCase{"StalledTenSecondsMidway", {3000, stalled()}},
                    CompleteCase{"NoLengthInstant", {std::nullopt, evenPieces(1, 0, 4096)}},
                    CompleteCase{"NoLengthAcrossChecks", {std::nullopt, evenPieces(8, 4000, 1000)}},
                    CompleteCase{"NoLengthStalled", {std::nullopt, stalled()}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JanelaDownloadTest, AStallIsNotCompletionEvenWhenChecksSeeTheBarStandStill) {
  int lastPosition = 0;
  // Messages are processed all through a long stall, so the checks do run during it.
  DownloadWindow j(lastPosition, Script{2000, {{0, 1000}, {45000, 1000, true}}});
  std::vector<int> checkedPositions;
  auto check = j.rig.timer2.onTick;
  j.rig.timer2.onTick = [&] {
    checkedPositions.push_back(j.window.ProgressBar1().position());
    check();
  };
  j.window.FormShow();
  j.rig.clock.advance(100000);

  ASSERT_GE(checkedPositions.size(), 4u);
  EXPECT_EQ(checkedPositions[0], 1000);
  EXPECT_EQ(checkedPositions[1], 1000) << "two checks in a row saw the same position";
  ASSERT_EQ(j.rig.launches.size(), 1u);
  EXPECT_GT(j.rig.launches[0].ms, *j.rig.http.endMs);
}

struct FailureCase {
  const char* name;
  Script script;
  bool fileNotCreated = false;
};

void PrintTo(const FailureCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class FailingDownloadTest : public testing::TestWithParam<FailureCase> {};

// The failure is shown once, with the file already gone; once the user has answered, the window
// closes. Nothing is started, the checks stop and the bar is left empty.
TEST_P(FailingDownloadTest, ShowsTheFailureRemovesTheFileAndClosesTheWindow) {
  const FailureCase& testCase = GetParam();
  int lastPosition = 0;
  DownloadWindow j(lastPosition, testCase.script);
  if (testCase.fileNotCreated) {
    // A file the download could not replace is not the download's to remove.
    j.rig.folder.files[kFileName].content = "older program";
    j.rig.folder.failCreate = true;
  }
  j.window.FormShow();
  j.rig.clock.advance(120000);

  ASSERT_EQ(j.rig.failures.size(), 1u);
  const ShownFailure& shown = j.rig.failures[0];
  EXPECT_EQ(shown.message, testCase.fileNotCreated ? "Cannot create file \"program.exe\""
                                                   : testCase.script.failure->what());
  EXPECT_EQ(j.rig.closeTimesMs, std::vector<int64_t>{shown.ms});
  EXPECT_TRUE(j.rig.launches.empty());
  EXPECT_TRUE(j.afterLaunchTimesMs.empty());
  EXPECT_FALSE(j.rig.timer1.enabled());
  EXPECT_FALSE(j.rig.timer2.enabled());
  EXPECT_EQ(j.window.ProgressBar1().position(), 0);
  if (testCase.fileNotCreated) {
    EXPECT_TRUE(j.rig.http.urls.empty());
    EXPECT_EQ(j.file().content, "older program");
  } else {
    EXPECT_FALSE(shown.fileStillThere);
    EXPECT_FALSE(j.rig.folder.files.contains(kFileName));
  }
}

ErroHttp socketError(int code, const std::string& text) {
  return ErroHttp(HttpErrorType::socket, "Socket Error # " + std::to_string(code) + "\r\n" + text,
                  code);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailingDownloadTest,
    testing::Values(FailureCase{"Refused",
                                {std::nullopt, {}, socketError(10061, "Connection refused.")}},
                    FailureCase{"NotFound",
                                {200,
                                 {{0, 200}},
                                 ErroHttp(HttpErrorType::protocol, "HTTP/1.1 404 Not Found", 404),
                                 true}},
                    FailureCase{"InterruptedMidway",
                                {10000,
                                 {{0, 4000}, {12000, 2000, true}, {500, 1000}},
                                 socketError(10054, "Connection reset by peer.")}},
                    FailureCase{"Truncated",
                                {10000,
                                 {{0, 4000}, {100, 3000}},
                                 ErroHttp(HttpErrorType::closed, "Connection Closed Gracefully."),
                                 false,
                                 true}},
                    FailureCase{"FileCannotBeCreated", {100, evenPieces(1, 0, 100)}, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  SignatureVerification verification;
  bool checkFails = false;
};

void PrintTo(const RefusalCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class RefusedProgramTest : public testing::TestWithParam<RefusalCase> {};

// At the check that would have started it, the program is refused instead: the file goes, the
// user is told once, and the window closes without anything started or any further check.
TEST_P(RefusedProgramTest, IsNeitherStartedNorKeptAndTheWindowClosesAfterOneMessage) {
  const RefusalCase& testCase = GetParam();
  int lastPosition = 0;
  DownloadWindow j(lastPosition, Script{4096, evenPieces(1, 0, 4096)});
  j.rig.signatures.result = testCase.verification;
  j.rig.signatures.throws = testCase.checkFails;
  j.window.FormShow();
  j.rig.clock.advance(120000);

  ASSERT_EQ(j.rig.verifications.size(), 1u);
  EXPECT_FALSE(j.rig.verifications[0].fileOpen);
  EXPECT_GT(j.rig.verifications[0].ms, *j.rig.http.endMs);
  ASSERT_EQ(j.rig.shownMessages.size(), 1u);
  const ShownMessage& shown = j.rig.shownMessages[0];
  EXPECT_EQ(shown.text, kUnverifiedProgramMessage);
  EXPECT_EQ(shown.ms, j.rig.verifications[0].ms);
  EXPECT_FALSE(shown.fileStillThere);
  EXPECT_EQ(j.rig.closeTimesMs, std::vector<int64_t>{shown.ms});
  EXPECT_TRUE(j.rig.launches.empty());
  EXPECT_TRUE(j.afterLaunchTimesMs.empty());
  EXPECT_TRUE(j.rig.failures.empty());
  EXPECT_FALSE(j.rig.folder.files.contains(kFileName));
  EXPECT_FALSE(j.rig.timer1.enabled());
  EXPECT_FALSE(j.rig.timer2.enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedProgramTest,
    testing::Values(RefusalCase{"Unsigned", {kNoSignature, "", ""}},
                    RefusalCase{"OtherPublisher", {0, "Someone Else", "Someone Else"}},
                    RefusalCase{"CheckFails", {0, "Test Publisher", "Test Publisher"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JanelaDownloadTest, ABuildWithoutTheCheckStartsTheProgramWithoutAskingThePlatform) {
  int lastPosition = 0;
  DownloadWindow j(lastPosition, Script{4096, evenPieces(1, 0, 4096)}, {false, kPublishers});
  j.rig.signatures.throws = true;
  j.window.FormShow();
  j.rig.clock.advance(120000);

  EXPECT_EQ(j.rig.launches.size(), 1u);
  EXPECT_TRUE(j.rig.signatures.checked.empty());
  EXPECT_TRUE(j.rig.shownMessages.empty());
}

// Closed while it waits to start, while the body arrives or while the finished file waits to be
// started: the transfer stops, the file goes, nothing is started and nothing more is shown.
TEST(JanelaDownloadTest, ClosingTheWindowCancelsTheDownload) {
  struct Case {
    const char* name;
    int64_t closeAtMs;  // the body arrives from 3 s to 13 s, the start would come at 23 s
  };
  const Case cases[] = {{"waiting", 1000}, {"transferring", 6500}, {"finished", 15000}};
  for (const Case& c : cases) {
    int lastPosition = 0;
    DownloadWindow j(lastPosition, Script{10000, evenPieces(10, 1000, 1000)});
    bool closed = false;
    auto close = [&] {
      if (!closed && j.rig.clock.nowMs() >= c.closeAtMs) {
        closed = true;
        j.window.FormClose();
      }
    };
    j.rig.clock.onPump = close;
    j.window.FormShow();
    j.rig.clock.advanceTo(c.closeAtMs);
    close();
    j.rig.clock.advance(100000);

    EXPECT_TRUE(j.rig.launches.empty()) << c.name;
    EXPECT_TRUE(j.afterLaunchTimesMs.empty()) << c.name;
    EXPECT_TRUE(j.rig.failures.empty()) << c.name;
    EXPECT_TRUE(j.rig.shownMessages.empty()) << c.name;
    EXPECT_TRUE(j.rig.closeTimesMs.empty()) << c.name << ": the window is closing already";
    EXPECT_FALSE(j.rig.folder.files.contains(kFileName)) << c.name;
    EXPECT_FALSE(j.rig.timer1.enabled()) << c.name;
    EXPECT_FALSE(j.rig.timer2.enabled()) << c.name;
    EXPECT_EQ(j.window.ProgressBar1().position(), 0) << c.name;
    EXPECT_EQ(j.rig.http.endMs.has_value(), c.closeAtMs > 13000) << c.name;
    EXPECT_LE(j.rig.http.urls.size(), 1u) << c.name;
  }
}

TEST(JanelaDownloadTest, ABodyCutShortNeverFillsTheBar) {
  int lastPosition = 0;
  DownloadWindow j(lastPosition,
                   Script{10000,
                          {{0, 4000}, {100, 3000}},
                          ErroHttp(HttpErrorType::closed, "Connection Closed Gracefully."),
                          false,
                          true});
  std::vector<int> positions;
  j.window.ProgressBar1().onChange = [&] {
    positions.push_back(j.window.ProgressBar1().position());
  };
  j.window.FormShow();
  j.rig.clock.advance(20000);

  EXPECT_EQ(positions, (std::vector<int>{0, 0, 4000, 7000, 0}));
}

struct SecondRunCase {
  const char* name;
  std::optional<size_t> firstRunBytes;
  size_t secondRunBytes;
  int64_t expectedLaunchMs;
};

void PrintTo(const SecondRunCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class SecondRunTest : public testing::TestWithParam<SecondRunCase> {};

// The class keeps the last position across runs, so an instant download of the same size as
// the previous one starts at the first check instead of the second.
TEST_P(SecondRunTest, FirstCheckComparesWithTheLastPositionOfThePreviousRun) {
  const SecondRunCase& testCase = GetParam();
  int lastPosition = 0;
  if (testCase.firstRunBytes) {
    const auto n = static_cast<int64_t>(*testCase.firstRunBytes);
    DownloadWindow first(lastPosition, Script{n, evenPieces(1, 0, *testCase.firstRunBytes)});
    first.window.FormShow();
    first.rig.clock.advance(60000);
    ASSERT_EQ(first.rig.launches.size(), 1u);
  }

  const auto n = static_cast<int64_t>(testCase.secondRunBytes);
  DownloadWindow second(lastPosition, Script{n, evenPieces(1, 0, testCase.secondRunBytes)});
  second.window.FormShow();
  second.rig.clock.advance(60000);
  ASSERT_EQ(second.rig.launches.size(), 1u);
  EXPECT_EQ(second.rig.launches[0].ms, testCase.expectedLaunchMs);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SecondRunTest,
    testing::Values(SecondRunCase{"FirstOfTheClass", std::nullopt, 1000, 23000},
                    SecondRunCase{"SameSizeAsThePrevious", 1000, 1000, 13000},
                    SecondRunCase{"DifferentSizeFromThePrevious", 1000, 500, 23000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JanelaDownloadTest, ProgressMovesTheBarAndKeepsTheWindowResponsive) {
  int lastPosition = 0;
  DownloadWindow j(lastPosition, Script{3000, evenPieces(3, 100, 1000)});
  std::vector<int> positions;
  j.window.ProgressBar1().onChange = [&] {
    positions.push_back(j.window.ProgressBar1().position());
  };
  j.window.FormShow();
  j.rig.clock.advance(3000);

  // Reset to 0, the new maximum, each piece, then the end.
  EXPECT_EQ(positions, (std::vector<int>{0, 0, 1000, 2000, 3000, 3000}));
  EXPECT_EQ(j.rig.clock.pumpCount(), 3);
}

}  // namespace
}  // namespace orvanta::test
