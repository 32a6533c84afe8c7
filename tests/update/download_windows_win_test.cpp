// The two download windows for real: window, control, timers, the launch of a program and the
// error box, with a transfer that delivers the body slowly.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "slow_transfer.h"
#include "test_window_win.h"
#include "ui/text_win.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"
#include "update/launch_decision.h"

namespace orvanta::test {
namespace {

const Hosts kHosts{"route1.test", "route2.test", "site.test", 52};

using DownloadWindowsWinTest = TestWindow;

TEST_F(DownloadWindowsWinTest, BothWindowsLookTheSame) {
  int lastPosition = 0;
  TFrmDownload download(app, lastPosition, std::make_unique<SlowTransfer>("", 1, 0),
                        Endpoints(kHosts));
  TFrmAtualiza atualiza(app, lastPosition, std::make_unique<SlowTransfer>("", 1, 0),
                        Endpoints(kHosts));
  for (Window* w : {static_cast<Window*>(&download), static_cast<Window*>(&atualiza)}) {
    EXPECT_EQ(w->caption(), "Download em andamento...");
    EXPECT_EQ(w->clientSize().cx, 912);
    EXPECT_EQ(w->clientSize().cy, 25);
    EXPECT_EQ(w->backgroundBrush(), GetSysColorBrush(COLOR_BTNFACE));

    RECT window;
    GetWindowRect(w->hwnd(), &window);
    EXPECT_LE(std::abs((window.left + window.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);

    LOGFONTW logFont{};
    GetObjectW(w->font(), sizeof logFont, &logFont);
    EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
    EXPECT_EQ(logFont.lfHeight, -11);

    HWND bar = FindWindowExW(w->hwnd(), nullptr, PROGRESS_CLASSW, nullptr);
    ASSERT_NE(bar, nullptr);
    RECT area;
    GetWindowRect(bar, &area);
    MapWindowPoints(nullptr, w->hwnd(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 912);
    EXPECT_EQ(area.bottom, 25);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
  }
  wchar_t windowClass[32];
  GetClassNameW(atualiza.hwnd(), windowClass, 32);
  EXPECT_STREQ(windowClass, L"TFrmAtualiza");
  GetClassNameW(download.hwnd(), windowClass, 32);
  EXPECT_STREQ(windowClass, L"TFrmDownload");
}

// A window made for one run, as its callers make them, shares the last bar position kept by
// the window set's instance of its class.
template <class DownloadWindow>
void expectSharesClassPosition(Application& app, DownloadWindow*& global) {
  DownloadWindow setInstance(app);
  global = &setInstance;
  DownloadWindow runInstance(app);
  EXPECT_EQ(&runInstance.UltimaPosicao(), &setInstance.UltimaPosicao());
  global = nullptr;
  DownloadWindow loneInstance(app);
  EXPECT_NE(&loneInstance.UltimaPosicao(), &setInstance.UltimaPosicao());
}

TEST_F(DownloadWindowsWinTest, ARunSharesTheLastPositionOfItsClass) {
  expectSharesClassPosition(app, FrmDownload);
  expectSharesClassPosition(app, FrmAtualiza);
}

TEST_F(DownloadWindowsWinTest, TheInstallerWindowDownloadsStartsTheProgramAndCloses) {
  const std::string program = stubProgram();
  ASSERT_GT(program.size(), 1000u);
  auto http = std::make_unique<SlowTransfer>(program, program.size() / 8 + 1, 150);
  SlowTransfer& transfer = *http;
  int lastPosition = 0;
  TFrmDownload window(app, lastPosition, std::move(http), Endpoints(kHosts));
  std::vector<int> positions;
  window.bar().onChange = [&, mirror = window.bar().onChange] {
    mirror();
    positions.push_back(window.ProgressBar1.position());
  };

  const ULONGLONG start = GetTickCount64();
  window.showModal();
  const ULONGLONG duration = GetTickCount64() - start;

  EXPECT_EQ(transfer.url, "http://site.test/ferramentas/pdf.exe");
  // 3 s to start, about 1 s of download, then the second check 20 s after the start; the
  // third would come at 40 s (a busy machine delays the checks by seconds).
  EXPECT_GE(duration, 13000u);
  EXPECT_LT(duration, 38000u);
  EXPECT_FALSE(window.visible());
  EXPECT_FALSE(app.terminated());
  EXPECT_GE(positions.size(), 8u) << "the bar moves with the download";
  EXPECT_EQ(window.ProgressBar1.position(), static_cast<int>(program.size()));
  EXPECT_EQ(window.ProgressBar1.maximum(), static_cast<int>(program.size()));
  EXPECT_EQ(lastPosition, static_cast<int>(program.size()));
  EXPECT_TRUE(waitForFile("pdf.exe.executado", 10000)) << "the installer did not run";
  EXPECT_EQ(readFile("pdf.exe"), program);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DownloadWindowsWinTest, TheUpdateWindowStartsTheUpdaterAndEndsTheProgramASecondLater) {
  const std::string program = stubProgram();
  int lastPosition = 0;
  TFrmAtualiza window(app, lastPosition,
                      std::make_unique<SlowTransfer>(program, program.size() / 4 + 1, 100),
                      Endpoints(kHosts));
  ULONGLONG lastCheckTick = 0, terminationTick = 0;
  window.Timer2.onTick = [&, check = window.Timer2.onTick] {
    lastCheckTick = GetTickCount64();
    check();
  };
  int endTicks = 0;
  window.Timer3.onTick = [&, endProgram = window.Timer3.onTick] {
    ++endTicks;
    terminationTick = GetTickCount64();
    endProgram();
  };

  window.showModal();

  EXPECT_TRUE(app.terminated()) << "the program was asked to end";
  EXPECT_GE(terminationTick - lastCheckTick, 950u);
  // A timer fires late on a busy machine, never early: the end came on the first tick of a
  // one-second timer, however late that tick was.
  EXPECT_EQ(window.Timer3.intervalMs(), 1000);
  EXPECT_EQ(endTicks, 1);
  EXPECT_TRUE(waitForFile("atualiza.exe.executado", 10000)) << "the updater did not run";
  EXPECT_EQ(readFile("atualiza.exe"), program);
}

TEST_F(DownloadWindowsWinTest, AFailedUpdateShowsTheErrorOnceThenClosesAndLeavesNoFile) {
  int lastPosition = 0;
  auto http = std::make_unique<SlowTransfer>("<html>404</html>", 100, 50);
  http->failure = ErroHttp(HttpErrorType::protocol, "HTTP/1.1 404 Not Found", 404);
  TFrmAtualiza window(app, lastPosition, std::move(http), Endpoints(kHosts));
  // The box stays up past two checks, as a person reads it.
  boxes.readingMs = 22000;
  bool visibleBehindTheBox = false;
  int barBehindTheBox = -1;
  boxes.afterReading = [&] {
    visibleBehindTheBox = window.visible();
    barBehindTheBox = window.ProgressBar1.position();
  };

  // The modal run ends by itself once the box is answered.
  window.showModal();

  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"HTTP/1.1 404 Not Found.");
  EXPECT_EQ(boxes.boxes[0].title, app.title());
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(visibleBehindTheBox);
  EXPECT_EQ(barBehindTheBox, 0);
  EXPECT_FALSE(window.visible());
  EXPECT_FALSE(app.terminated());
  pumpFor(std::chrono::milliseconds(1500));
  EXPECT_FALSE(app.terminated());
  EXPECT_FALSE(fs::exists("atualiza.exe.executado"));
  EXPECT_FALSE(fs::exists("atualiza.exe"));
}

std::string standinVariant(const char* name) {
  std::string path = std::string("Z:" ORVANTA_SIGNED_STANDINS "/") + name;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return readFile(path);
}

// A program that is not the expected publisher's: one information box, then the window closes
// by itself; nothing is started and no file is left.
class RefusedDownloadWinTest : public TestWindow {
 protected:
  template <class DownloadWindow>
  void expectRefused(const char* variant, const char* fileName) {
    boxes.boxes.clear();
    const std::string program = standinVariant(variant);
    ASSERT_GT(program.size(), 1000u) << variant;
    int lastPosition = 0;
    DownloadWindow window(app, lastPosition,
                          std::make_unique<SlowTransfer>(program, program.size() / 4 + 1, 50),
                          Endpoints(kHosts));

    window.showModal();
    pumpFor(std::chrono::milliseconds(1500));

    ASSERT_EQ(boxes.boxes.size(), 1u) << variant;
    EXPECT_EQ(boxes.boxes[0].text, widen(kUnverifiedProgramMessage));
    EXPECT_EQ(boxes.boxes[0].title, app.title());
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(window.visible()) << variant;
    EXPECT_FALSE(app.terminated()) << variant;
    EXPECT_FALSE(fs::exists(fileName)) << variant;
    EXPECT_FALSE(fs::exists(std::string(fileName) + ".executado")) << variant;
  }
};

TEST_F(RefusedDownloadWinTest, AProgramNotSignedByTheExpectedPublisherIsNeitherStartedNorKept) {
  expectRefused<TFrmDownload>("standin-other-publisher.exe", "pdf.exe");
  expectRefused<TFrmAtualiza>("standin-tampered.exe", "atualiza.exe");
}

// Closed with the close box halfway through a slow download, each window's modal run ends at
// once, leaving no file and starting nothing: the user is back where the download was asked for.
template <class DownloadWindow>
void expectClosingCancels(Application& app, const char* fileName) {
  const std::string program = stubProgram();
  auto http = std::make_unique<SlowTransfer>(program, program.size() / 40 + 1, 100);
  SlowTransfer& transfer = *http;
  int ultimaPosicao = 0;
  DownloadWindow window(app, ultimaPosicao, std::move(http), Endpoints(kHosts));
  int closedAt = -1;
  window.bar().onChange = [&, mirror = window.bar().onChange] {
    mirror();
    const int position = window.bar().position();
    if (closedAt < 0 && position > 0 && position < window.bar().max() / 2) {
      closedAt = position;
      PostMessageW(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
  };

  window.showModal();

  EXPECT_GT(closedAt, 0) << fileName;
  EXPECT_LT(transfer.deliveredBytes, program.size() / 2) << fileName;
  EXPECT_FALSE(window.visible()) << fileName;
  EXPECT_FALSE(app.terminated()) << fileName;
  EXPECT_FALSE(fs::exists(fileName)) << fileName;
  EXPECT_EQ(window.ProgressBar1.position(), 0) << fileName;
  // No check is left to start the program later.
  EXPECT_FALSE(window.Timer1.enabled()) << fileName;
  EXPECT_FALSE(window.Timer2.enabled()) << fileName;
}

TEST_F(DownloadWindowsWinTest, ClosingEitherWindowCancelsItsDownload) {
  expectClosingCancels<TFrmAtualiza>(app, "atualiza.exe");
  expectClosingCancels<TFrmDownload>(app, "pdf.exe");
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace orvanta::test
