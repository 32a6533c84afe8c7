// What the login hands to the remote desktop control.
#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

struct ParametrosSessao {
  std::string servidor;
  int32_t porta = 0;
  std::string usuario;  // as typed: lower-case, digits kept, no site suffix
  std::string senha;
  int32_t larguraDesktop = 1024;
  int32_t alturaDesktop = 768;
};

}  // namespace orvanta
