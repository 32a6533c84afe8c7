// The TCP connection behind Connect, run on a worker thread that reports back to the UI
// thread by posting to a window.
#pragma once

#include <windows.h>
#include <winsock2.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace rdpstub {

constexpr UINT kLinkConnected = WM_APP + 1;
constexpr UINT kLinkFailed = WM_APP + 2;  // wParam: disconnect reason
constexpr UINT kLinkClosed = WM_APP + 3;

class Link {
 public:
  // A connection that succeeds is reported after delayMs.
  Link(HWND notify, std::string host, std::string port, int delayMs);
  ~Link();
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  // Ends the connection from this side; the worker then reports kLinkClosed.
  void close();
  bool closedLocally() const { return shared_->local; }

 private:
  struct Shared {
    std::atomic<SOCKET> socket{INVALID_SOCKET};
    std::atomic<bool> local{false};
  };
  std::shared_ptr<Shared> shared_;
  std::thread worker_;
};

}  // namespace rdpstub
