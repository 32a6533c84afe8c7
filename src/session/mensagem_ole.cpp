#include "session/mensagem_ole.h"

#include <cstdio>

namespace orvanta {

std::string aparaMensagem(std::string_view texto) {
  size_t fim = texto.size();
  while (fim > 0) {
    const auto c = static_cast<unsigned char>(texto[fim - 1]);
    if (c > ' ' && c != '.') break;
    --fim;
  }
  return std::string(texto.substr(0, fim));
}

std::string mensagemErroOle(std::string_view descricao, std::string_view textoSistema,
                            uint32_t codigo) {
  if (std::string texto = aparaMensagem(descricao); !texto.empty()) return texto;
  if (std::string texto = aparaMensagem(textoSistema); !texto.empty()) return texto;
  // Some systems carry no text for the commonest COM failures.
  switch (codigo) {
    case 0x80040154u:  // REGDB_E_CLASSNOTREG
      return "Class not registered";
    case 0x800401F0u:  // CO_E_NOTINITIALIZED
      return "CoInitialize has not been called";
    case 0x80004002u:  // E_NOINTERFACE
      return "No such interface supported";
    default:
      break;
  }
  char texto[32];
  std::snprintf(texto, sizeof texto, "OLE error %.8x", static_cast<unsigned>(codigo));
  return texto;
}

}  // namespace orvanta
