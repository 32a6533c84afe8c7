// The host-name lookup both socket halves share. getaddrinfo is the same call under POSIX and
// Winsock, so each half includes this after its own socket headers.
#pragma once

#include <cstdint>
#include <string>

#include "service/socket_tcp.h"
#include "service/socket_tcp_comum.h"
#include "service/texto_ascii.h"

namespace orvanta {

inline uint32_t resolverIpv4Sistema(const std::string& host) {
  addrinfo dica{};
  dica.ai_family = AF_INET;
  dica.ai_socktype = SOCK_STREAM;
  addrinfo* lista = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &dica, &lista) != 0 || lista == nullptr) {
    lancarErroSocket(kErroHostNaoEncontrado);
  }
  uint32_t ip = reinterpret_cast<sockaddr_in*>(lista->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(lista);
  return ip;
}

// IPv4 address in network order ("localhost" is 127.0.0.1); throws ErroHttp (socket) when the
// name does not resolve.
inline uint32_t resolverIpv4(const std::string& host) {
  return resolverIpv4Sistema(iguaisSemCaixa(host, "localhost") ? "127.0.0.1" : host);
}

}  // namespace orvanta
