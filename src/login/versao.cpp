#include "login/versao.h"

#include <string>

namespace orvanta {

bool VersaoPublicadaDiferente(std::string_view publicada) {
  std::string limpa;
  limpa.reserve(publicada.size());
  for (char c : publicada) {
    if (c != '\n' && c != '\r') {
      limpa += c;
    }
  }
  return limpa != VersaoCliente;
}

}  // namespace orvanta
