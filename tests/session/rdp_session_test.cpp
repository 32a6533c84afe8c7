// The session rules over the real host, registry and a real window, against the stand-in.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/exception.h"
#include "session/rdp/rdp_session_win.h"
#include "stub_win.h"

namespace orvanta::rdp {
namespace {

using ::testing::ElementsAre;

// The window side as the session window does it, on a plain top-level window.
struct TestWindow : SessionWindow, StatusAlert, Timer, Shell {
  HWND hwnd = nullptr;
  bool reconnect = false;
  bool terminated = false;
  bool timerOn = false;

  void fitToScreen() override {
    SetWindowPos(hwnd, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_NOMOVE);
    ShowWindow(hwnd, SW_MAXIMIZE);
  }
  void setReconnectEnabled(bool on) override { reconnect = on; }
  void showTransferHelp() override {}
  void showPrintingHelp() override {}
  void requestTermination() override { terminated = true; }
  int intervalMs() const override { return 5000; }
  void setIntervalMs(int) override {}
  bool enabled() const override { return timerOn; }
  void setEnabled(bool on) override { timerOn = on; }
  void execute(std::string_view, std::string_view) override {}
  void show(std::string_view, int) override {}
  void close() override {}
};

const wchar_t kRdpdrKeyPath[] =
    L"Software\\Microsoft\\Terminal Server Client\\Default\\AddIns\\RDPDR";

DWORD filterQueueType() {
  DWORD value = 0;
  DWORD length = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kRdpdrKeyPath, L"FilterQueueType", RRF_RT_REG_DWORD, nullptr,
                   &value, &length) != ERROR_SUCCESS) {
    return 0;
  }
  return value;
}

class RdpSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    RegDeleteTreeW(HKEY_CURRENT_USER, kRdpdrKeyPath);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SessaoRdpTest";
    RegisterClassW(&windowClass);
    window_.hwnd =
        CreateWindowExW(0, L"SessaoRdpTest", L"session", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 248,
                        121, 800, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window_.hwnd, nullptr);
    session_ = std::make_unique<RdpSessionWin>(
        [this] { return window_.hwnd; }, createControl(), window_, window_, window_, window_,
        "127.0.0.4:8052", [this](std::exception_ptr failure) { failures_.push_back(failure); });
    ShowWindow(window_.hwnd, SW_SHOW);
    session_->place({0, 25, 784, 524});
  }
  void TearDown() override {
    session_.reset();
    DestroyWindow(window_.hwnd);
    OleUninitialize();
  }

  // The stand-in's lines from the first redirection on.
  std::vector<std::string> linesFromRedirections() const {
    auto lines = journal_.lines();
    auto start = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
      return l.find("RedirectDrives") != std::string::npos;
    });
    std::vector<std::string> result;
    for (auto it = start; it != lines.end(); ++it) {
      if (it->rfind("slot 39", 0) != 0) result.push_back(*it);
    }
    return result;
  }

  test::StubJournal journal_;
  TestWindow window_;
  std::vector<std::exception_ptr> failures_;
  std::unique_ptr<RdpSessionWin> session_;
};

TEST_F(RdpSessionTest, StartWritesTheRegistryMaximisesRedirectsAndConnects) {
  for (const bool direct : {false, true}) {
    test::Listener server;
    session_->control().setServer("127.0.0.1");
    session_->control().setRdpPort(server.port());
    journal_.clear();
    session_->session().FormShow(direct);
    EXPECT_EQ(filterQueueType(), 0xFFFFFFFFu);
    EXPECT_TRUE(IsZoomed(window_.hwnd));
    EXPECT_EQ(window_.timerOn, !direct);
    EXPECT_THAT(
        linesFromRedirections(),
        ElementsAre("advslot 121 put RedirectDrives -1",
                    std::string("advslot 123 put RedirectPrinters ") + (direct ? "-1" : "0"),
                    "advslot 125 put RedirectPorts -1", "slot 33 Connect", "event 1 OnConnecting"));
    ASSERT_TRUE(test::pumpUntil([&] { return session_->control().connected() == 1; }));
    session_->control().disconnect();
    ASSERT_TRUE(test::pumpUntil([&] { return window_.reconnect; }));
    window_.reconnect = false;
  }
}

TEST_F(RdpSessionTest, AFailingStepStopsTheStartBeforeTheConnection) {
  for (const wchar_t* member : {L"AdvancedSettings2", L"RedirectDrives", L"RedirectPrinters",
                                L"RedirectPorts", L"Connect"}) {
    window_.timerOn = false;
    journal_.refuse(member);
    journal_.clear();
    EXPECT_THROW(session_->session().FormShow(false), Exception);
    const auto lines = journal_.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "event 1 OnConnecting"), 0);
    EXPECT_EQ(session_->control().connected(), 0);
    EXPECT_FALSE(window_.reconnect);
    EXPECT_EQ(window_.timerOn, std::wstring(member) == L"Connect");
  }
}

TEST_F(RdpSessionTest, EndDisconnectsOnlyAConnectedSession) {
  test::Listener server;
  session_->control().setServer("127.0.0.1");
  session_->control().setRdpPort(server.port());
  session_->session().reconnect();
  journal_.clear();
  session_->session().FormClose();  // still connecting
  EXPECT_THAT(journal_.lines(), ElementsAre("dispid 6 get Connected 2"));
  EXPECT_TRUE(window_.terminated);

  ASSERT_TRUE(test::pumpUntil([&] { return session_->control().connected() == 1; }));
  journal_.clear();
  journal_.refuse(L"Disconnect");
  EXPECT_NO_THROW(session_->session().FormClose());
  EXPECT_THAT(journal_.lines(), ElementsAre("dispid 6 get Connected 1", "slot 34 Disconnect"));
  journal_.refuse(L"");
  journal_.clear();
  session_->session().FormClose();
  EXPECT_THAT(journal_.lines(), ElementsAre("dispid 6 get Connected 1", "slot 34 Disconnect"));
}

TEST_F(RdpSessionTest, EventsDriveReconnectWhichCannotBeClickedTwice) {
  test::Listener server;
  session_->control().setServer("127.0.0.1");
  session_->control().setRdpPort(server.port());
  session_->session().reconnect();
  ASSERT_TRUE(test::pumpUntil([&] { return session_->control().connected() == 1; }));
  EXPECT_FALSE(window_.reconnect);
  server.acceptPeer();
  server.closePeer();
  ASSERT_TRUE(test::pumpUntil([&] { return window_.reconnect; }));
  const auto lines = journal_.lines();
  EXPECT_EQ(lines.back(), "event 4 OnDisconnected 3");
  session_->session().reconnect();
  EXPECT_FALSE(window_.reconnect);
  EXPECT_TRUE(failures_.empty());
}

}  // namespace
}  // namespace orvanta::rdp
