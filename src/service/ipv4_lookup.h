// The host-name lookup both socket halves share. getaddrinfo is the same call under POSIX and
// Winsock, so each half includes this after its own socket headers.
#pragma once

#include <cstdint>
#include <string>

#include "service/ascii_text.h"
#include "service/tcp_socket.h"
#include "service/tcp_socket_common.h"

namespace orvanta {

inline uint32_t resolveIpv4WithSystem(const std::string& host) {
  // The system reads the name only up to a NUL: "127.0.0.1\0.example" must not become 127.0.0.1.
  if (host.find('\0') != std::string::npos) throwSocketError(kHostNotFoundError);
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) {
    throwSocketError(kHostNotFoundError);
  }
  uint32_t ip = reinterpret_cast<sockaddr_in*>(list->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(list);
  return ip;
}

// IPv4 address in network order ("localhost" is 127.0.0.1); throws ErroHttp (socket) when the
// name does not resolve.
inline uint32_t resolveIpv4(const std::string& host) {
  return resolveIpv4WithSystem(equalsIgnoreCase(host, "localhost") ? "127.0.0.1" : host);
}

}  // namespace orvanta
