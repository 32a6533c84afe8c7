#include "printing/document_name.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orvanta {
namespace {

constexpr size_t kMaxNameUnits = 255;

// The code points of a UTF-8 text; nullopt when it is not valid UTF-8.
std::optional<std::u32string> codePoints(std::string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<uint8_t>(text[i]);
    size_t length = 1;
    char32_t c = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      c = lead & 0x07;
    } else if (lead >= 0xE0) {
      length = 3;
      c = lead & 0x0F;
    } else if (lead >= 0xC2 && lead < 0xE0) {
      length = 2;
      c = lead & 0x1F;
    } else if (lead >= 0x80) {
      return std::nullopt;
    }
    if (i + length > text.size()) return std::nullopt;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (length > 1 && c < smallest) return std::nullopt;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out += c;
    i += length;
  }
  return out;
}

bool refusedCharacter(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;  // C0, DEL and C1 controls
  switch (c) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
      return true;
    default:
      return false;
  }
}

char32_t upper(char32_t c) {
  return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c;
}

// Windows opens these as devices whatever the extension, and ignores blanks before the dot.
bool deviceName(const std::u32string& name) {
  std::u32string stem = name.substr(0, name.find(U'.'));
  while (!stem.empty() && stem.back() == U' ') stem.pop_back();
  for (char32_t& c : stem) c = upper(c);
  static const std::array<std::u32string_view, 6> kDevices = {U"CON", U"PRN",    U"AUX",
                                                              U"NUL", U"CONIN$", U"CONOUT$"};
  for (std::u32string_view device : kDevices) {
    if (stem == device) return true;
  }
  if (stem.size() != 4) return false;
  const std::u32string_view port(stem.data(), 3);
  if (port != U"COM" && port != U"LPT") return false;
  const char32_t digit = stem[3];
  return (digit >= '0' && digit <= '9') || digit == U'\u00B9' || digit == U'\u00B2' ||
         digit == U'\u00B3';
}

}  // namespace

bool isSafeDocumentName(std::string_view name) {
  const std::optional<std::u32string> points = codePoints(name);
  if (!points || points->empty()) return false;
  size_t units = 0;
  for (char32_t c : *points) {
    if (refusedCharacter(c)) return false;
    units += c >= 0x10000 ? 2 : 1;
  }
  if (units > kMaxNameUnits) return false;
  if (points->back() == U'.' || points->back() == U' ') return false;
  return !deviceName(*points);
}

bool isPdfName(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view end = name.substr(name.size() - 4);
  return end[0] == '.' && (end[1] == 'p' || end[1] == 'P') && (end[2] == 'd' || end[2] == 'D') &&
         (end[3] == 'f' || end[3] == 'F');
}

std::string numberedName(std::string_view name, int number) {
  const size_t dot = name.rfind('.');
  const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
  const std::string_view extension = dot == std::string_view::npos ? "" : name.substr(dot);
  return std::string(stem) + " (" + std::to_string(number) + ")" + std::string(extension);
}

}  // namespace orvanta
