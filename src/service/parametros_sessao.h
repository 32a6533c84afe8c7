// What the login hands to the remote desktop control.
#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

struct ParametrosSessao {
  std::string server;
  int32_t port = 0;
  std::string userName;  // as typed: lower-case, digits kept, no site suffix
  std::string password;
  int32_t desktopWidth = 1024;
  int32_t desktopHeight = 768;
};

}  // namespace orvanta
