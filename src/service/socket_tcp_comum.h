// What the POSIX and Winsock halves of SocketTcp share.
#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// The text of a system socket error number, ending in ".".
std::string textoErroSistema(int codigo);
// IPv4 address in network order; throws ErroHttp (socket) when the name does not resolve.
uint32_t resolverIpv4Sistema(const std::string& host);
uint32_t resolverIpv4(const std::string& host);

}  // namespace orvanta
