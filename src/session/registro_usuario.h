// The current user's registry, as far as the session start writes to it.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvanta {

class RegistroUsuario {
 public:
  virtual ~RegistroUsuario() = default;
  // Opens or creates the key, writes a REG_DWORD and closes the key; false when the write
  // (or the opening before it) failed.
  virtual bool gravaDword(std::string_view chave, std::string_view nome, uint32_t valor) = 0;
};

}  // namespace orvanta
