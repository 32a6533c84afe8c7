#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <bit>
#include <cerrno>
#include <cstring>

#include "service/ipv4_lookup.h"
#include "service/tcp_socket.h"
#include "service/tcp_socket_common.h"

namespace orvanta {

struct TcpSocket::Impl {
  int fd = -1;
  ~Impl() {
    if (fd >= 0) ::close(fd);
  }
};

std::string socketErrorText(int code) {
  switch (code) {
    case ECONNREFUSED:
      return "Connection refused.";
    case ECONNRESET:
      return "Connection reset by peer.";
    case ETIMEDOUT:
      return "Connection timed out.";
    case EHOSTUNREACH:
      return "No route to host.";
    case ENETUNREACH:
      return "Network is unreachable.";
    case EPIPE:
      return "Connection reset by peer.";
    case kHostNotFoundError:
      return "Host not found.";
    default:
      return std::string(std::strerror(code)) + ".";
  }
}

TcpSocket::TcpSocket(const std::string& host, int port) : impl_(std::make_unique<Impl>()) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr = std::bit_cast<in_addr>(resolveIpv4(host));
  impl_->fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (impl_->fd < 0) throwSocketError(errno);
  int one = 1;
  ::setsockopt(impl_->fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  int r;
  do {
    r = ::connect(impl_->fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  } while (r < 0 && errno == EINTR);
  if (r < 0) throwSocketError(errno);
}

TcpSocket::~TcpSocket() = default;

size_t TcpSocket::read(char* destination, size_t capacity) {
  for (;;) {
    ssize_t n = ::recv(impl_->fd, destination, capacity, 0);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) throwSocketError(errno);
  }
}

void TcpSocket::write(std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::send(impl_->fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      throwSocketError(errno);
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
}

bool TcpSocket::waitForData(int timeoutMs) {
  pollfd p{impl_->fd, POLLIN, 0};
  int r;
  do {
    r = ::poll(&p, 1, timeoutMs);
  } while (r < 0 && errno == EINTR);
  if (r < 0) throwSocketError(errno);
  return r > 0;
}

bool TcpSocket::isIdle() {
  pollfd p{impl_->fd, POLLIN, 0};
  if (::poll(&p, 1, 0) == 0) return true;
  // Readable while idle means a close, a reset or stray bytes: none is a clean connection.
  return false;
}

}  // namespace orvanta
