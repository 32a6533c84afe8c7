// The download windows with their own HTTP client against a loopback web site started by
// with_server.sh, which serves the updater stand-in in timed pieces.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "service/cliente_http.h"
#include "test_window_win.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta::test {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

Hosts site(const std::string& suffix = "") {
  return Hosts{"route1.test", "route2.test", environment("ORVANTA_TEST_SITE") + suffix, 52};
}

std::string requests() {
  std::string path = "Z:" + environment("ORVANTA_TEST_LOG");
  for (char& c : path) c = c == '/' ? '\\' : c;
  return readFile(path);
}

class DownloadWindowsHttpTest : public TestWindow {
 protected:
  void SetUp() override {
    TestWindow::SetUp();
    ASSERT_FALSE(environment("ORVANTA_TEST_SITE").empty()) << "run through with_server.sh";
  }
};

TEST_F(DownloadWindowsHttpTest, TheUpdateWindowFetchesStartsTheUpdaterAndEndsTheProgram) {
  const std::string program = stubProgram();
  int lastPosition = 0;
  TFrmAtualiza window(app, lastPosition, nullptr, Endpoints(site()));
  std::vector<int> positions;
  window.bar().onChange = [&, mirror = window.bar().onChange] {
    mirror();
    positions.push_back(window.ProgressBar1.position());
  };

  const auto& http = dynamic_cast<const ClienteHttp&>(*window.IdHTTP1).settings();
  EXPECT_EQ(http.accept, "text/html, */*,*.exe");
  EXPECT_FALSE(http.handleRedirects);

  window.showModal();

  EXPECT_TRUE(app.terminated());
  EXPECT_TRUE(waitForFile("atualiza.exe.executado", 10000)) << "the updater did not run";
  EXPECT_EQ(readFile("atualiza.exe"), program);
  EXPECT_GE(positions.size(), 10u) << "the bar moves with the download";
  EXPECT_EQ(window.ProgressBar1.position(), static_cast<int>(program.size()));
  EXPECT_NE(requests().find("GET /remoto/update/x64/atualiza.exe HTTP/1.1"), std::string::npos)
      << requests();
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DownloadWindowsHttpTest, TheInstallerWindowFetchesStartsTheInstallerAndCloses) {
  const std::string program = stubProgram();
  int lastPosition = 0;
  TFrmDownload window(app, lastPosition, nullptr, Endpoints(site()));
  const auto& http = dynamic_cast<const ClienteHttp&>(*window.IdHTTP1).settings();
  EXPECT_EQ(http.accept, "text/html, */*,*.exe");
  EXPECT_FALSE(http.handleRedirects);

  window.showModal();

  EXPECT_FALSE(app.terminated());
  EXPECT_TRUE(waitForFile("pdf.exe.executado", 10000)) << "the installer did not run";
  EXPECT_EQ(readFile("pdf.exe"), program);
}

TEST_F(DownloadWindowsHttpTest, AFailedUpdaterShowsTheErrorOnceThenClosesAndLeavesNoFile) {
  const struct {
    const char* site;
    const wchar_t* shown;
  } cases[] = {
      {"/missing", L"HTTP/1.1 404 Not Found."},
      {"/cut", L"Connection Closed Gracefully."},
  };
  for (const auto& c : cases) {
    boxes.boxes.clear();
    int lastPosition = 0;
    TFrmAtualiza window(app, lastPosition, nullptr, Endpoints(site(c.site)));

    window.showModal();
    pumpFor(std::chrono::milliseconds(1500));

    ASSERT_EQ(boxes.boxes.size(), 1u) << c.site;
    EXPECT_EQ(boxes.boxes[0].text, c.shown);
    EXPECT_FALSE(window.visible()) << c.site;
    EXPECT_FALSE(app.terminated()) << c.site;
    EXPECT_FALSE(fs::exists("atualiza.exe.executado")) << c.site;
    EXPECT_FALSE(fs::exists("atualiza.exe")) << c.site;
  }
}

}  // namespace
}  // namespace orvanta::test
