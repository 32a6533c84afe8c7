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

namespace {

// Waits until the socket is ready for `events`; false when `timeoutMs` passes first.
bool waitFor(int fd, short events, int timeoutMs) {
  pollfd p{fd, events, 0};
  int r;
  do {
    r = ::poll(&p, 1, timeoutMs);
  } while (r < 0 && errno == EINTR);
  if (r < 0) throwSocketError(errno);
  return r > 0;
}

bool wouldBlock(int error) {
  return error == EAGAIN || error == EWOULDBLOCK;
}

}  // namespace

// The socket never blocks by itself: every wait goes through waitFor with a time limit.
struct TcpSocket::Impl {
  int fd = -1;
  SocketTimeouts timeouts;
  Deadline deadline;
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

TcpSocket::TcpSocket(const std::string& host, int port, SocketTimeouts timeouts, Deadline connectBy)
    : impl_(std::make_unique<Impl>()) {
  impl_->timeouts = timeouts;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr = std::bit_cast<in_addr>(resolveIpv4(host));
  impl_->fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (impl_->fd < 0) throwSocketError(errno);
  int one = 1;
  ::setsockopt(impl_->fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  if (::connect(impl_->fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return;
  // Interrupted, the connection still goes on in the background, like one in progress.
  if (errno != EINPROGRESS && errno != EINTR) throwSocketError(errno);
  if (!waitFor(impl_->fd, POLLOUT, waitWithin(timeouts.connectMs, connectBy))) {
    throwSocketError(ETIMEDOUT);
  }
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(impl_->fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
  if (error != 0) throwSocketError(error);
}

TcpSocket::~TcpSocket() = default;

size_t TcpSocket::read(char* destination, size_t capacity) {
  for (;;) {
    // Checked first: bytes that keep coming must not carry a call past its deadline.
    if (hasPassed(impl_->deadline)) throwSocketError(ETIMEDOUT);
    ssize_t n = ::recv(impl_->fd, destination, capacity, 0);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno == EINTR) continue;
    if (!wouldBlock(errno)) throwSocketError(errno);
    if (!waitFor(impl_->fd, POLLIN, waitWithin(impl_->timeouts.inactivityMs, impl_->deadline))) {
      throwSocketError(ETIMEDOUT);
    }
  }
}

void TcpSocket::write(std::string_view data) {
  while (!data.empty()) {
    if (hasPassed(impl_->deadline)) throwSocketError(ETIMEDOUT);
    ssize_t n = ::send(impl_->fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (!wouldBlock(errno)) throwSocketError(errno);
      if (!waitFor(impl_->fd, POLLOUT, waitWithin(impl_->timeouts.inactivityMs, impl_->deadline))) {
        throwSocketError(ETIMEDOUT);
      }
      continue;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
}

bool TcpSocket::waitForData(int timeoutMs) {
  return waitFor(impl_->fd, POLLIN, waitWithin(timeoutMs, impl_->deadline));
}

void TcpSocket::setDeadline(Deadline deadline) {
  impl_->deadline = deadline;
}

bool TcpSocket::isIdle() {
  pollfd p{impl_->fd, POLLIN, 0};
  // Readable while idle means a close, a reset or stray bytes: none is a clean connection.
  return ::poll(&p, 1, 0) == 0;
}

}  // namespace orvanta
