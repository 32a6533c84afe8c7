// RegistroUsuario over HKEY_CURRENT_USER.
#pragma once

#include "session/registro_usuario.h"

namespace orvanta {

class RegistroUsuarioWin : public RegistroUsuario {
 public:
  bool gravaDword(std::string_view chave, std::string_view nome, uint32_t valor) override;
};

}  // namespace orvanta
