// The relay as the program wires it (worker thread, cancellable client, working folder) beside
// a connected session window, against a store on loopback that hangs or trickles.
#include <windows.h>
#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../session/stub_win.h"
#include "app/session_print_relay_win.h"
#include "fakes/fake_message_boxes_win.h"
#include "service/working_folder_win.h"
#include "ui/application_win.h"
#include "ui/ole_win.h"

namespace orvanta {
namespace {

using Clock = std::chrono::steady_clock;

int64_t elapsedMs(Clock::time_point since) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
}

// A store on loopback listing one document: a hung store takes every request and never
// answers; a slow one sends a 50 MB document 4 KB at a time.
class LoopbackStore {
 public:
  explicit LoopbackStore(bool hung) : hung_(hung) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 4);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~LoopbackStore() {
    stopping_ = true;
    thread_.join();
    for (SOCKET peer : peers_) closesocket(peer);
    closesocket(listener_);
    WSACleanup();
  }
  LoopbackStore(const LoopbackStore&) = delete;
  LoopbackStore& operator=(const LoopbackStore&) = delete;

  int port() const { return port_; }
  std::atomic<int> listingRequests{0};
  std::atomic<int64_t> documentBytesSent{0};

 private:
  bool readable(SOCKET s) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{0, 20000};
    return select(0, &set, nullptr, nullptr, &wait) > 0;
  }
  void serve() {
    while (!stopping_) {
      if (!readable(listener_)) continue;
      SOCKET peer = accept(listener_, nullptr, nullptr);
      if (peer == INVALID_SOCKET) continue;
      peers_.push_back(peer);
      answer(peer);
    }
  }
  void answer(SOCKET peer) {
    std::string request;
    char block[4096] = {};
    while (request.find("\r\n\r\n") == std::string::npos && !stopping_) {
      if (!readable(peer)) continue;
      const int n = recv(peer, block, sizeof block, 0);
      if (n <= 0) return;
      request.append(block, static_cast<size_t>(n));
    }
    if (request.find("index.php") != std::string::npos) {
      ++listingRequests;
      if (hung_) return;
      sendAll(peer,
              "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 14\r\n"
              "Connection: close\r\n\r\ngrande.pdf<br>");
      return;
    }
    if (!sendAll(peer,
                 "HTTP/1.1 200 OK\r\nContent-Type: application/pdf\r\n"
                 "Content-Length: 52428800\r\nConnection: close\r\n\r\n%PDF-1.4\n")) {
      return;
    }
    std::fill(std::begin(block), std::end(block), 'x');
    while (!stopping_ && sendAll(peer, std::string(block, sizeof block))) {
      documentBytesSent += sizeof block;
      Sleep(20);
    }
  }
  static bool sendAll(SOCKET peer, const std::string& data) {
    return send(peer, data.data(), static_cast<int>(data.size()), 0) ==
           static_cast<int>(data.size());
  }

  bool hung_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::vector<SOCKET> peers_;
  std::thread thread_;
};

// An empty working directory of this test's own.
class ScratchFolder {
 public:
  ScratchFolder() {
    GetCurrentDirectoryW(MAX_PATH, previous_);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = std::wstring(temp) + L"orvanta-relay-win-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(dir_.c_str(), nullptr);
    SetCurrentDirectoryW(dir_.c_str());
  }
  ~ScratchFolder() {
    SetCurrentDirectoryW(previous_);
    for (const std::wstring& name : names()) DeleteFileW((dir_ + L"\\" + name).c_str());
    RemoveDirectoryW(dir_.c_str());
  }
  std::vector<std::wstring> names() const {
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((dir_ + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.emplace_back(data.cFileName);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return found;
  }

 private:
  wchar_t previous_[MAX_PATH] = {};
  std::wstring dir_;
};

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

struct PrintRelayWindowTest : ::testing::Test {
  test::StubJournal journal;
  OleSession ole;
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  test::Listener desktop;
  ScratchFolder scratch;
  std::unique_ptr<TFrmPrincipal> window;
  std::unique_ptr<LoopbackStore> store;
  TransferCancel cancel;
  std::unique_ptr<SessionPrintRelay> relay;

  // The session shown and connected, and the relay started against the store.
  void start(bool hungStore) {
    store = std::make_unique<LoopbackStore>(hungStore);
    window = app.createForm<TFrmPrincipal>("2.0");
    window->control().setUserName("alice");
    window->control().setServer("127.0.0.1");
    window->control().setRdpPort(desktop.port());
    window->IdHTTP1 = SessionPrintRelay::client(cancel);
    window->loginChoices = [] { return EscolhasLogin{"ana", false, false}; };
    relay = std::make_unique<SessionPrintRelay>(
        app, *window, std::make_unique<WorkingFolder>(), cancel,
        Endpoints(Hosts{"127.0.0.1", "127.0.0.1", "site", store->port()}));
    window->show();
    ASSERT_TRUE(test::pumpUntil([&] { return window->control().connected() == 1; }));
    window->ChecaImpressao.setIntervalMs(1);
    window->ChecaImpressao.setEnabled(true);
  }
  void TearDown() override {
    relay.reset();
    window.reset();
  }
};

TEST_F(PrintRelayWindowTest, AKeyTypedWhileTheStoreHangsReachesTheRemoteDesktopAtOnce) {
  start(true);
  ASSERT_TRUE(test::pumpUntil([&] { return store->listingRequests > 0; }));
  HWND control = window->MsRdpClient71->controlWindow();
  SetFocus(control);
  journal.clear();
  const auto typed = Clock::now();
  PostMessageW(control, WM_KEYDOWN, 'A', 1);
  ASSERT_TRUE(test::pumpUntil([&] { return contains(journal.lines(), "key down 65"); }));
  const int64_t delayMs = elapsedMs(typed);
  std::printf("key delay while the store hangs: %lld ms\n", static_cast<long long>(delayMs));
  EXPECT_LT(delayMs, 200);
  EXPECT_EQ(store->listingRequests, 1);
}

TEST_F(PrintRelayWindowTest, ClosingDuringASlowFetchEndsWithin2sAndLeavesNoPartialFile) {
  start(false);
  ASSERT_TRUE(test::pumpUntil(
      [&] { return store->documentBytesSent > 64 * 1024 && !scratch.names().empty(); }));
  const auto closing = Clock::now();
  window->close();
  // What the window set does once the message loop has ended.
  relay.reset();
  const int64_t closeMs = elapsedMs(closing);
  std::printf("close during a fetch: %lld ms\n", static_cast<long long>(closeMs));
  EXPECT_LT(closeMs, 2000);
  EXPECT_TRUE(scratch.names().empty());
}

}  // namespace
}  // namespace orvanta
