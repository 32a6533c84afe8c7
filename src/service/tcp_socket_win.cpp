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

}  // namespace

struct TcpSocket::Impl {
  WinsockStartup winsock;
  SOCKET s = INVALID_SOCKET;
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

TcpSocket::TcpSocket(const std::string& host, int port) : impl_(std::make_unique<Impl>()) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = resolveIpv4(host);
  impl_->s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (impl_->s == INVALID_SOCKET) throwSocketError(WSAGetLastError());
  BOOL one = TRUE;
  ::setsockopt(impl_->s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
  if (::connect(impl_->s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    throwSocketError(WSAGetLastError());
  }
}

TcpSocket::~TcpSocket() = default;

size_t TcpSocket::read(char* destination, size_t capacity) {
  int n = ::recv(impl_->s, destination, static_cast<int>(capacity), 0);
  if (n == SOCKET_ERROR) throwSocketError(WSAGetLastError());
  return static_cast<size_t>(n);
}

void TcpSocket::write(std::string_view data) {
  while (!data.empty()) {
    int n = ::send(impl_->s, data.data(), static_cast<int>(data.size()), 0);
    if (n == SOCKET_ERROR) throwSocketError(WSAGetLastError());
    data.remove_prefix(static_cast<size_t>(n));
  }
}

bool TcpSocket::waitForData(int timeoutMs) {
  WSAPOLLFD p{impl_->s, POLLRDNORM, 0};
  int r = WSAPoll(&p, 1, timeoutMs);
  if (r == SOCKET_ERROR) throwSocketError(WSAGetLastError());
  return r > 0;
}

bool TcpSocket::isIdle() {
  WSAPOLLFD p{impl_->s, POLLRDNORM, 0};
  return WSAPoll(&p, 1, 0) == 0;
}

}  // namespace orvanta
