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
#include "service/socket_tcp.h"
#include "service/socket_tcp_comum.h"

namespace orvanta {

struct SocketTcp::Impl {
  int fd = -1;
  ~Impl() {
    if (fd >= 0) ::close(fd);
  }
};

std::string textoErroSistema(int codigo) {
  switch (codigo) {
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
    case kErroHostNaoEncontrado:
      return "Host not found.";
    default:
      return std::string(std::strerror(codigo)) + ".";
  }
}

SocketTcp::SocketTcp(const std::string& host, int porta) : impl_(std::make_unique<Impl>()) {
  sockaddr_in endereco{};
  endereco.sin_family = AF_INET;
  endereco.sin_port = htons(static_cast<uint16_t>(porta));
  endereco.sin_addr = std::bit_cast<in_addr>(resolverIpv4(host));
  impl_->fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (impl_->fd < 0) lancarErroSocket(errno);
  int um = 1;
  ::setsockopt(impl_->fd, IPPROTO_TCP, TCP_NODELAY, &um, sizeof um);
  int r;
  do {
    r = ::connect(impl_->fd, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco);
  } while (r < 0 && errno == EINTR);
  if (r < 0) lancarErroSocket(errno);
}

SocketTcp::~SocketTcp() = default;

size_t SocketTcp::ler(char* destino, size_t capacidade) {
  for (;;) {
    ssize_t n = ::recv(impl_->fd, destino, capacidade, 0);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) lancarErroSocket(errno);
  }
}

void SocketTcp::escrever(std::string_view dados) {
  while (!dados.empty()) {
    ssize_t n = ::send(impl_->fd, dados.data(), dados.size(), MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      lancarErroSocket(errno);
    }
    dados.remove_prefix(static_cast<size_t>(n));
  }
}

bool SocketTcp::aguardarDados(int milissegundos) {
  pollfd p{impl_->fd, POLLIN, 0};
  int r;
  do {
    r = ::poll(&p, 1, milissegundos);
  } while (r < 0 && errno == EINTR);
  if (r < 0) lancarErroSocket(errno);
  return r > 0;
}

bool SocketTcp::ocioso() {
  pollfd p{impl_->fd, POLLIN, 0};
  if (::poll(&p, 1, 0) == 0) return true;
  // Readable while idle means a close, a reset or stray bytes: none is a clean connection.
  return false;
}

}  // namespace orvanta
