// The text of a failed call on the remote desktop control.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// Drops trailing blanks, control characters and full stops.
std::string aparaMensagem(std::string_view texto);

// The control's own description when it gives one, else the system's text for the code, else
// the usual name of a common COM failure, else "OLE error %.8x"; each trimmed.
std::string mensagemErroOle(std::string_view descricao, std::string_view textoSistema,
                            uint32_t codigo);

}  // namespace orvanta
