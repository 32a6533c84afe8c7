// The two windows built on JanelaDownload: what each fetches, keeps and does after the launch.
#include <gtest/gtest.h>

#include "download_rig.h"
#include "update/pdf_tool_download.h"
#include "update/publishers.h"
#include "update/update_download.h"

namespace orvanta::test {
namespace {

const Hosts kHosts{"route1.test", "route2.test", "site.test:8052", 52};

class FixedCpuid : public CpuidInstruction {
 public:
  explicit FixedCpuid(bool x64) : x64_(x64) {}
  bool available() const override { return true; }
  CpuidRegisters query(uint32_t leaf) const override {
    if (leaf == 0) return {0xd, 0x756e6547, 0x6c65746e, 0x49656e69};  // "GenuineIntel"
    if (leaf == 0x80000000) return {0x80000008, 0, 0, 0};
    return {0, 0, 0, x64_ ? 1u << 29 : 0u};
  }

 private:
  bool x64_;
};

// As the platform finds a program signed by the first publisher the build expects.
SignatureVerification signedByExpected(std::span<const std::string_view> publishers) {
  const std::string name(publishers.empty() ? "" : publishers.front());
  return {0, name, name};
}

constexpr uint32_t kNoSignature = 0x800B0100;  // TRUST_E_NOSIGNATURE

class UpdateWindowTest : public testing::TestWithParam<bool> {};

TEST_P(UpdateWindowTest,
       FetchesTheUpdaterForThisProcessorAndEndsTheProgramOneSecondAfterStartingIt) {
  const bool x64 = GetParam();
  DownloadRig b;
  b.http.script = Script{5000, {{0, 2500}, {2000, 2500}}};
  b.signatures.result = signedByExpected(kUpdaterPublishers);
  const FixedCpuid cpuid(x64);
  std::vector<int64_t> terminationTimesMs;
  int lastPosition = 0;
  UpdateDownload atualiza(b.environment(), b.timer3, lastPosition, Endpoints(kHosts), cpuid,
                          [&] { terminationTimesMs.push_back(b.clock.nowMs()); });
  atualiza.FormShow();
  b.clock.advance(120000);

  EXPECT_EQ(b.http.urls, std::vector<std::string>{Endpoints(kHosts).updater(x64)});
  EXPECT_EQ(b.folder.files.at("atualiza.exe").content.size(), 5000u);
  ASSERT_EQ(b.launches.size(), 1u);
  EXPECT_EQ(b.launches[0].name, "atualiza.exe");
  EXPECT_EQ(terminationTimesMs, std::vector<int64_t>{b.launches[0].ms + 1000});
}

INSTANTIATE_TEST_SUITE_P(Processors, UpdateWindowTest, testing::Bool(),
                         [](const auto& info) { return info.param ? "x64" : "x32"; });

TEST(UpdateWindowTest, AFailedUpdateClosesTheWindowAndLeavesTheProgramRunning) {
  DownloadRig b;
  b.http.script = Script{std::nullopt,
                         {{0, 120}},
                         ErroHttp(HttpErrorType::protocol, "HTTP/1.1 404 Not Found", 404),
                         true};
  const FixedCpuid cpuid(true);
  int terminations = 0;
  int lastPosition = 0;
  UpdateDownload atualiza(b.environment(), b.timer3, lastPosition, Endpoints(kHosts), cpuid,
                          [&] { ++terminations; });
  atualiza.FormShow();
  b.clock.advance(120000);

  ASSERT_EQ(b.failures.size(), 1u);
  EXPECT_EQ(b.failures[0].message, "HTTP/1.1 404 Not Found");
  EXPECT_EQ(b.closeTimesMs.size(), 1u);
  EXPECT_FALSE(b.folder.files.contains("atualiza.exe"));
  EXPECT_TRUE(b.launches.empty());
  EXPECT_EQ(terminations, 0);
  EXPECT_FALSE(b.timer3.enabled());
}

// As if no update had been published: the user is told, the window closes and the program
// goes on.
TEST(UpdateWindowTest, ARefusedUpdaterIsNotStartedAndTheProgramGoesOn) {
  DownloadRig b;
  b.http.script = Script{5000, {{0, 5000}}};
  b.signatures.result = {kNoSignature, "", ""};
  const FixedCpuid cpuid(true);
  int terminations = 0;
  int lastPosition = 0;
  UpdateDownload atualiza(b.environment(), b.timer3, lastPosition, Endpoints(kHosts), cpuid,
                          [&] { ++terminations; });
  atualiza.FormShow();
  b.clock.advance(120000);

  EXPECT_EQ(b.signatures.checked, std::vector<std::string>{"atualiza.exe"});
  EXPECT_EQ(b.shownMessages.size(), 1u);
  EXPECT_EQ(b.closeTimesMs.size(), 1u);
  EXPECT_FALSE(b.folder.files.contains("atualiza.exe"));
  EXPECT_TRUE(b.launches.empty());
  EXPECT_EQ(terminations, 0);
  EXPECT_FALSE(b.timer3.enabled());
}

TEST(PdfToolWindowTest, ARefusedInstallerIsNotStartedAndTheWindowCloses) {
  DownloadRig b;
  b.http.script = Script{800, {{0, 800}}};
  b.signatures.result = {0, "Someone Else", "Someone Else"};
  std::vector<int64_t> closeTimesMs;
  int lastPosition = 0;
  PdfToolDownload download(b.environment(), lastPosition, Endpoints(kHosts),
                           [&] { closeTimesMs.push_back(b.clock.nowMs()); });
  download.FormShow();
  b.clock.advance(120000);

  EXPECT_EQ(b.signatures.checked, std::vector<std::string>{"pdf.exe"});
  EXPECT_EQ(b.shownMessages.size(), 1u);
  EXPECT_FALSE(b.folder.files.contains("pdf.exe"));
  EXPECT_TRUE(b.launches.empty());
  // The environment's close is the window's; the window's own after-launch close never runs.
  EXPECT_TRUE(closeTimesMs.empty());
  EXPECT_EQ(b.closeTimesMs.size(), 1u);
}

TEST(PdfToolWindowTest, FetchesTheInstallerStartsItAndCloses) {
  DownloadRig b;
  b.http.script = Script{800, {{0, 800}}};
  b.signatures.result = signedByExpected(kPdfToolPublishers);
  std::vector<int64_t> closeTimesMs;
  int lastPosition = 0;
  PdfToolDownload download(b.environment(), lastPosition, Endpoints(kHosts),
                           [&] { closeTimesMs.push_back(b.clock.nowMs()); });
  download.FormShow();
  b.clock.advance(120000);

  EXPECT_EQ(b.http.urls, std::vector<std::string>{"http://site.test:8052/ferramentas/pdf.exe"});
  EXPECT_EQ(b.folder.files.at("pdf.exe").content.size(), 800u);
  ASSERT_EQ(b.launches.size(), 1u);
  EXPECT_EQ(b.launches[0].name, "pdf.exe");
  EXPECT_EQ(closeTimesMs, std::vector<int64_t>{b.launches[0].ms});
}

}  // namespace
}  // namespace orvanta::test
