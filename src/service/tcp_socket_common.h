// What the POSIX and Winsock halves of TcpSocket share.
#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// The text of a system socket error number, ending in ".".
std::string socketErrorText(int code);

}  // namespace orvanta
