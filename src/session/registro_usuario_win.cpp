#include "session/registro_usuario_win.h"

#include <windows.h>

#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

bool RegistroUsuarioWin::gravaDword(std::string_view chave, std::string_view nome, uint32_t valor) {
  HKEY aberta = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, widen(chave).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &aberta, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueHkey fechada(aberta);
  const DWORD dado = valor;
  return RegSetValueExW(fechada.get(), widen(nome).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&dado), sizeof dado) == ERROR_SUCCESS;
}

}  // namespace orvanta
