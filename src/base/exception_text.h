// Texts of the boxes that report failures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// The message with a "." appended when its last character's code is above that of ".".
std::string comPontoFinal(std::string_view mensagem);

// The start-up failure text: "Exception <class> in module <module> at <address>.\r\n<message>\r\n",
// the message ended as comPontoFinal does.
std::string textoErroInicio(std::string_view nomeClasse, std::string_view modulo,
                            std::uintptr_t endereco, std::string_view mensagem);

}  // namespace orvanta
