#include "login/resposta_login.h"

#include <optional>

#include "base/exception.h"

namespace orvanta {
namespace {

std::optional<int> valorDigito(char c, int base) {
  int valor = -1;
  if (c >= '0' && c <= '9') {
    valor = c - '0';
  } else if (base == 16 && c >= 'a' && c <= 'f') {
    valor = c - 'a' + 10;
  } else if (base == 16 && c >= 'A' && c <= 'F') {
    valor = c - 'A' + 10;
  }
  if (valor < 0) {
    return std::nullopt;
  }
  return valor;
}

[[noreturn]] void naoEhInteiro(std::string_view texto) {
  throw Excecao("'" + std::string(texto) + "' is not a valid integer value", "EConvertError");
}

}  // namespace

RespostaLogin DividirResposta(std::string_view resposta) {
  const auto separador = resposta.find(';');
  if (separador == std::string_view::npos) {
    return {};
  }
  return {std::string(resposta.substr(0, separador)), std::string(resposta.substr(separador + 1))};
}

int32_t ConverterPorta(std::string_view texto) {
  std::string_view resto = texto;
  while (!resto.empty() && resto.front() == ' ') {
    resto.remove_prefix(1);
  }
  bool negativo = false;
  if (!resto.empty() && (resto.front() == '+' || resto.front() == '-')) {
    negativo = resto.front() == '-';
    resto.remove_prefix(1);
  }
  int base = 10;
  if (resto.starts_with("0x")) {
    base = 16;
    resto.remove_prefix(2);
  } else if (!resto.empty() &&
             (resto.front() == '$' || resto.front() == 'x' || resto.front() == 'X')) {
    base = 16;
    resto.remove_prefix(1);
  }
  if (resto.empty()) {
    naoEhInteiro(texto);
  }
  // Decimal must fit a signed 32-bit value; hexadecimal may use all 32 bits.
  const uint64_t limite = base == 16 ? 0xFFFFFFFFull : (negativo ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t valor = 0;
  for (char c : resto) {
    const auto digito = valorDigito(c, base);
    if (!digito) {
      naoEhInteiro(texto);
    }
    valor = valor * static_cast<uint64_t>(base) + static_cast<uint64_t>(*digito);
    if (valor > limite) {
      naoEhInteiro(texto);
    }
  }
  const auto bits = static_cast<uint32_t>(valor);
  return static_cast<int32_t>(negativo ? 0u - bits : bits);
}

}  // namespace orvanta
