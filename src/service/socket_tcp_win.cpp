#include <winsock2.h>
#include <ws2tcpip.h>

#include "service/ipv4_lookup.h"
#include "service/socket_tcp.h"
#include "service/socket_tcp_comum.h"

namespace orvanta {
namespace {

// WSAStartup counts its callers, so each connection holds one reference of its own.
class IniciacaoWinsock {
 public:
  IniciacaoWinsock() {
    WSADATA dados;
    int r = WSAStartup(MAKEWORD(2, 2), &dados);
    if (r != 0) lancarErroSocket(r);
  }
  ~IniciacaoWinsock() { WSACleanup(); }
  IniciacaoWinsock(const IniciacaoWinsock&) = delete;
  IniciacaoWinsock& operator=(const IniciacaoWinsock&) = delete;
};

}  // namespace

struct SocketTcp::Impl {
  IniciacaoWinsock winsock;
  SOCKET s = INVALID_SOCKET;
  ~Impl() {
    if (s != INVALID_SOCKET) closesocket(s);
  }
};

std::string textoErroSistema(int codigo) {
  switch (codigo) {
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
      return "Socket error " + std::to_string(codigo) + ".";
  }
}

SocketTcp::SocketTcp(const std::string& host, int porta) : impl_(std::make_unique<Impl>()) {
  sockaddr_in endereco{};
  endereco.sin_family = AF_INET;
  endereco.sin_port = htons(static_cast<u_short>(porta));
  endereco.sin_addr.s_addr = resolverIpv4(host);
  impl_->s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (impl_->s == INVALID_SOCKET) lancarErroSocket(WSAGetLastError());
  BOOL um = TRUE;
  ::setsockopt(impl_->s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&um), sizeof um);
  if (::connect(impl_->s, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) != 0) {
    lancarErroSocket(WSAGetLastError());
  }
}

SocketTcp::~SocketTcp() = default;

size_t SocketTcp::ler(char* destino, size_t capacidade) {
  int n = ::recv(impl_->s, destino, static_cast<int>(capacidade), 0);
  if (n == SOCKET_ERROR) lancarErroSocket(WSAGetLastError());
  return static_cast<size_t>(n);
}

void SocketTcp::escrever(std::string_view dados) {
  while (!dados.empty()) {
    int n = ::send(impl_->s, dados.data(), static_cast<int>(dados.size()), 0);
    if (n == SOCKET_ERROR) lancarErroSocket(WSAGetLastError());
    dados.remove_prefix(static_cast<size_t>(n));
  }
}

bool SocketTcp::aguardarDados(int milissegundos) {
  WSAPOLLFD p{impl_->s, POLLRDNORM, 0};
  int r = WSAPoll(&p, 1, milissegundos);
  if (r == SOCKET_ERROR) lancarErroSocket(WSAGetLastError());
  return r > 0;
}

bool SocketTcp::ocioso() {
  WSAPOLLFD p{impl_->s, POLLRDNORM, 0};
  return WSAPoll(&p, 1, 0) == 0;
}

}  // namespace orvanta
