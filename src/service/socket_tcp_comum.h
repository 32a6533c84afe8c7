// What the POSIX and Winsock halves of SocketTcp share.
#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// The text of a system socket error number, ending in ".".
std::string textoErroSistema(int codigo);

}  // namespace orvanta
