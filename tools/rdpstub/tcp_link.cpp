#include "tcp_link.h"

#include <ws2tcpip.h>

namespace rdpstub {

namespace {

void run(std::shared_ptr<void> keep, HWND notify, std::string host, std::string port, int delayMs,
         std::atomic<SOCKET>* socketSlot, std::atomic<bool>* local) {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  addrinfo hints = {};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (!started || getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) {
    PostMessageW(notify, kLinkFailed, 260, 0);
    return;
  }
  const SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  const bool connected =
      s != INVALID_SOCKET && connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0;
  freeaddrinfo(found);
  if (!connected) {
    if (s != INVALID_SOCKET) closesocket(s);
    PostMessageW(notify, kLinkFailed, 516, 0);
    return;
  }
  socketSlot->store(s);
  for (int waited = 0; waited < delayMs && !*local; waited += 10) Sleep(10);
  if (!*local) {
    PostMessageW(notify, kLinkConnected, 0, 0);
    // Polls so that a local close ends the wait even where shutdown does not wake recv.
    char buffer[512];
    while (!*local) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(s, &readable);
      timeval wait = {0, 50000};
      const int ready = select(0, &readable, nullptr, nullptr, &wait);
      if (ready < 0 || (ready > 0 && recv(s, buffer, sizeof buffer, 0) <= 0)) break;
    }
  }
  socketSlot->store(INVALID_SOCKET);
  closesocket(s);
  PostMessageW(notify, kLinkClosed, 0, 0);
  (void)keep;
}

}  // namespace

TcpLink::TcpLink(HWND notify, std::string host, std::string port, int delayMs)
    : shared_(std::make_shared<Shared>()) {
  worker_ = std::thread(run, shared_, notify, std::move(host), std::move(port), delayMs,
                        &shared_->socket, &shared_->local);
}

TcpLink::~TcpLink() {
  close();
  worker_.join();
}

void TcpLink::close() {
  shared_->local = true;
  const SOCKET s = shared_->socket.load();
  if (s != INVALID_SOCKET) shutdown(s, SD_BOTH);
}

}  // namespace rdpstub
