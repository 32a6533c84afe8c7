#include "base/exception_text.h"

#include <cstdio>

namespace orvanta {

std::string comPontoFinal(std::string_view mensagem) {
  std::string texto(mensagem);
  // Bytes of a UTF-8 sequence are all above ".", as the character they encode is.
  if (!texto.empty() && static_cast<unsigned char>(texto.back()) > '.') texto += '.';
  return texto;
}

std::string textoErroInicio(std::string_view nomeClasse, std::string_view modulo,
                            std::uintptr_t endereco, std::string_view mensagem) {
  char enderecoHex[2 * sizeof(std::uintptr_t) + 1];
  std::snprintf(enderecoHex, sizeof enderecoHex, "%0*llX", static_cast<int>(2 * sizeof endereco),
                static_cast<unsigned long long>(endereco));
  std::string texto = "Exception ";
  texto.append(nomeClasse).append(" in module ").append(modulo);
  texto.append(" at ").append(enderecoHex).append(".\r\n");
  texto.append(comPontoFinal(mensagem)).append("\r\n");
  return texto;
}

}  // namespace orvanta
