// What the POSIX and Winsock halves of TcpSocket share.
#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// The text of a system socket error number, ending in ".".
std::string socketErrorText(int code);
// IPv4 address in network order; throws ErroHttp (socket) when the name does not resolve.
uint32_t resolveIpv4WithSystem(const std::string& host);
uint32_t resolveIpv4(const std::string& host);

}  // namespace orvanta
