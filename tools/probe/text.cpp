#include "text.h"

#include <windows.h>

#include <cstdio>

#include "ui/text_win.h"

namespace probe {

std::string utf8(const std::wstring& text) {
  return orvanta::narrow(text);
}

std::wstring wide(const std::string& text) {
  return orvanta::widen(text);
}

std::string json(const std::wstring& text) {
  std::string out = "\"";
  for (char c : utf8(text)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace probe
