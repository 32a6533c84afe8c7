#include "base/exception_text.h"

#include <cstdio>

namespace orvanta {

std::string withFinalDot(std::string_view message) {
  std::string text(message);
  // Bytes of a UTF-8 sequence are all above ".", as the character they encode is.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

std::string startupErrorText(std::string_view className, std::string_view module,
                             std::uintptr_t address, std::string_view message) {
  char addressHex[2 * sizeof(std::uintptr_t) + 1];
  std::snprintf(addressHex, sizeof addressHex, "%0*llX", static_cast<int>(2 * sizeof address),
                static_cast<unsigned long long>(address));
  std::string text = "Exception ";
  text.append(className).append(" in module ").append(module);
  text.append(" at ").append(addressHex).append(".\r\n");
  text.append(withFinalDot(message)).append("\r\n");
  return text;
}

}  // namespace orvanta
