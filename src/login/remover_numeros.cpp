#include "login/remover_numeros.h"

namespace orvanta {

std::string RemoverNumeros(std::string_view text) {
  std::string output;
  output.reserve(text.size());
  for (char c : text) {
    if (c < '0' || c > '9') {
      output += c;
    }
  }
  return output;
}

}  // namespace orvanta
