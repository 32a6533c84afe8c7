#include "login/remover_numeros.h"

namespace orvanta {

std::string RemoverNumeros(std::string_view texto) {
  std::string saida;
  saida.reserve(texto.size());
  for (char c : texto) {
    if (c < '0' || c > '9') {
      saida += c;
    }
  }
  return saida;
}

}  // namespace orvanta
