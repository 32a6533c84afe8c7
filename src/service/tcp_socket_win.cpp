#include <winsock2.h>
#include <ws2tcpip.h>

#include "service/ipv4_lookup.h"
#include "service/tcp_socket.h"
#include "service/tcp_socket_common.h"

namespace orvanta {
namespace {

// WSAStartup counts its callers, so each connection holds one reference of its own.
class WinsockStartup {
 public:
  WinsockStartup() {
    WSADATA data;
    int r = WSAStartup(MAKEWORD(2, 2), &data);
    if (r != 0) throwSocketError(r);
  }
  ~WinsockStartup() { WSACleanup(); }
  WinsockStartup(const WinsockStartup&) = delete;
  WinsockStartup& operator=(const WinsockStartup&) = delete;
};

void setBlocking(SOCKET s, bool blocking) {
  u_long nonBlocking = blocking ? 0 : 1;
  if (::ioctlsocket(s, FIONBIO, &nonBlocking) != 0) throwSocketError(WSAGetLastError());
}

void setTimeout(SOCKET s, int option, int timeoutMs) {
  DWORD ms = static_cast<DWORD>(timeoutMs);
  if (::setsockopt(s, SOL_SOCKET, option, reinterpret_cast<const char*>(&ms), sizeof ms) != 0) {
    throwSocketError(WSAGetLastError());
  }
}

// Connects within `timeoutMs`: the attempt runs without blocking while select waits for its
// outcome (WSAPoll does not report a failed attempt on every Windows version).
void connectWithin(SOCKET s, const sockaddr_in& address, int timeoutMs) {
  setBlocking(s, false);
  if (::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    int error = WSAGetLastError();
    if (error != WSAEWOULDBLOCK) throwSocketError(error);
    fd_set connected, failed;
    FD_ZERO(&connected);
    FD_ZERO(&failed);
    FD_SET(s, &connected);
    FD_SET(s, &failed);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    int r = ::select(0, nullptr, &connected, &failed, &limit);
    if (r == SOCKET_ERROR) throwSocketError(WSAGetLastError());
    if (r == 0) throwSocketError(WSAETIMEDOUT);
    int length = sizeof error;
    error = 0;
    if (::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0) {
      error = WSAGetLastError();
    }
    if (error != 0) throwSocketError(error);
  }
  setBlocking(s, true);
}

}  // namespace

struct TcpSocket::Impl {
  WinsockStartup winsock;
  SOCKET s = INVALID_SOCKET;
  SocketTimeouts timeouts;
  Deadline deadline;
  // What SO_RCVTIMEO and SO_SNDTIMEO hold now.
  int receiveMs = 0;
  int sendMs = 0;

  // Sets `option` to the wait left for the next call, which a passed deadline makes time out.
  void limitWait(int option, int& current) {
    int ms = waitWithin(timeouts.inactivityMs, deadline);
    // 0 would mean no limit at all to the system.
    if (ms <= 0) throwSocketError(WSAETIMEDOUT);
    if (ms != current) setTimeout(s, option, ms);
    current = ms;
  }
  ~Impl() {
    if (s != INVALID_SOCKET) closesocket(s);
  }
};

std::string socketErrorText(int code) {
  switch (code) {
    case WSAECONNREFUSED:
      return "Connection refused.";
    case WSAECONNRESET:
      return "Connection reset by peer.";
    case WSAETIMEDOUT:
      return "Connection timed out.";
    case WSAEHOSTUNREACH:
      return "No route to host.";
    case WSAENETUNREACH:
      return "Network is unreachable.";
    case WSAECONNABORTED:
      return "Software caused connection abort.";
    case WSAHOST_NOT_FOUND:
      return "Host not found.";
    default:
      return "Socket error " + std::to_string(code) + ".";
  }
}

TcpSocket::TcpSocket(const std::string& host, int port, SocketTimeouts timeouts, Deadline connectBy)
    : impl_(std::make_unique<Impl>()) {
  impl_->timeouts = timeouts;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = resolveIpv4(host);
  impl_->s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (impl_->s == INVALID_SOCKET) throwSocketError(WSAGetLastError());
  BOOL one = TRUE;
  ::setsockopt(impl_->s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
  int connectMs = waitWithin(timeouts.connectMs, connectBy);
  if (connectMs <= 0) throwSocketError(WSAETIMEDOUT);
  connectWithin(impl_->s, address, connectMs);
  // Reads and sends stay blocking calls that the system itself ends with WSAETIMEDOUT. Waiting
  // in select before each read instead loses a reset under Wine, which then reads as a close.
  // Their limits are set before each call, shortened by a deadline.
}

TcpSocket::~TcpSocket() = default;

size_t TcpSocket::read(char* destination, size_t capacity) {
  impl_->limitWait(SO_RCVTIMEO, impl_->receiveMs);
  int n = ::recv(impl_->s, destination, static_cast<int>(capacity), 0);
  if (n == SOCKET_ERROR) throwSocketError(WSAGetLastError());
  return static_cast<size_t>(n);
}

void TcpSocket::write(std::string_view data) {
  while (!data.empty()) {
    impl_->limitWait(SO_SNDTIMEO, impl_->sendMs);
    int n = ::send(impl_->s, data.data(), static_cast<int>(data.size()), 0);
    if (n == SOCKET_ERROR) throwSocketError(WSAGetLastError());
    data.remove_prefix(static_cast<size_t>(n));
  }
}

bool TcpSocket::waitForData(int timeoutMs) {
  WSAPOLLFD p{impl_->s, POLLRDNORM, 0};
  int r = WSAPoll(&p, 1, waitWithin(timeoutMs, impl_->deadline));
  if (r == SOCKET_ERROR) throwSocketError(WSAGetLastError());
  return r > 0;
}

bool TcpSocket::isIdle() {
  WSAPOLLFD p{impl_->s, POLLRDNORM, 0};
  return WSAPoll(&p, 1, 0) == 0;
}

void TcpSocket::setDeadline(Deadline deadline) {
  impl_->deadline = deadline;
}

}  // namespace orvanta
