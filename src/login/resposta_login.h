// Reading the login service's answer: "server;port".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

struct RespostaLogin {
  std::string servidor;
  std::string textoPorta;

  // Without a server or a port the account is unknown.
  bool contaEncontrada() const { return !servidor.empty() && !textoPorta.empty(); }
};

// Splits at the first ";"; a reply without one has no server.
RespostaLogin DividirResposta(std::string_view resposta);

// Leading spaces, one optional sign, then decimal digits or a hexadecimal number after
// "$", "x", "X" or "0x", and nothing after. Throws Excecao for any other text or a value
// outside 32 bits; hexadecimal values up to FFFFFFFF are taken as the 32-bit pattern.
int32_t ConverterPorta(std::string_view texto);

}  // namespace orvanta
