#include "session/ole_error_message.h"

#include <cstdio>

namespace orvanta {

std::string trimMessage(std::string_view text) {
  size_t end = text.size();
  while (end > 0) {
    const auto c = static_cast<unsigned char>(text[end - 1]);
    if (c > ' ' && c != '.') break;
    --end;
  }
  return std::string(text.substr(0, end));
}

std::string oleErrorMessage(std::string_view description, std::string_view systemText,
                            uint32_t code) {
  if (std::string text = trimMessage(description); !text.empty()) return text;
  if (std::string text = trimMessage(systemText); !text.empty()) return text;
  // Some systems carry no text for the commonest COM failures.
  switch (code) {
    case 0x80040154u:  // REGDB_E_CLASSNOTREG
      return "Class not registered";
    case 0x800401F0u:  // CO_E_NOTINITIALIZED
      return "CoInitialize has not been called";
    case 0x80004002u:  // E_NOINTERFACE
      return "No such interface supported";
    default:
      break;
  }
  char text[32];
  std::snprintf(text, sizeof text, "OLE error %.8x", static_cast<unsigned>(code));
  return text;
}

}  // namespace orvanta
