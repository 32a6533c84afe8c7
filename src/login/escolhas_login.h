// The choices made on the login window that later parts of the session read.
#pragma once

#include <string>

namespace orvanta {

struct EscolhasLogin {
  std::string nomeDigitado;  // the account field exactly as typed
  bool impressorasDiretas = false;
  bool rotaAlternativa = false;
};

}  // namespace orvanta
