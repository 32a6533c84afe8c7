// The choices made on the login window that later parts of the session read.
#pragma once

#include <string>

namespace orvanta {

struct EscolhasLogin {
  std::string typedName;  // the account field exactly as typed
  bool directPrinters = false;
  bool alternativeRoute = false;
};

}  // namespace orvanta
