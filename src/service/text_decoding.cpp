#include "service/text_decoding.h"

#include <array>
#include <cstdint>
#include <optional>

#include "service/ascii_text.h"

namespace orvanta {
namespace {

void appendUtf8(std::string& s, uint32_t cp) {
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

constexpr uint32_t kReplacement = 0xFFFD;

// windows-1252 0x80..0x9F; 0 marks the five unassigned codes, kept as C1 controls.
constexpr std::array<uint16_t, 32> kCp1252 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t iso885915(uint8_t b) {
  switch (b) {
    case 0xA4:
      return 0x20AC;
    case 0xA6:
      return 0x0160;
    case 0xA8:
      return 0x0161;
    case 0xB4:
      return 0x017D;
    case 0xB8:
      return 0x017E;
    case 0xBC:
      return 0x0152;
    case 0xBD:
      return 0x0153;
    case 0xBE:
      return 0x0178;
    default:
      return b;
  }
}

std::string fromUtf16(std::string_view bytes, bool bigEndian) {
  std::string r;
  size_t i = 0;
  auto codeUnit = [&](size_t k) -> uint32_t {
    auto a = static_cast<uint8_t>(bytes[k]), b = static_cast<uint8_t>(bytes[k + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  while (i + 1 < bytes.size()) {
    uint32_t u = codeUnit(i);
    i += 2;
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < bytes.size()) {
      uint32_t low = codeUnit(i);
      if (low >= 0xDC00 && low < 0xE000) {
        i += 2;
        appendUtf8(r, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        continue;
      }
    }
    appendUtf8(r, u >= 0xD800 && u < 0xE000 ? kReplacement : u);
  }
  if (i < bytes.size()) appendUtf8(r, kReplacement);
  return r;
}

// Keeps valid UTF-8 and replaces each invalid byte with U+FFFD.
std::string fromUtf8(std::string_view bytes) {
  std::string r;
  r.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    auto b = static_cast<uint8_t>(bytes[i]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    uint32_t cp = n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
    bool valid = n > 0 && i + n <= bytes.size();
    for (size_t k = 1; valid && k < n; ++k) {
      auto c = static_cast<uint8_t>(bytes[i + k]);
      valid = (c & 0xC0) == 0x80;
      cp = cp << 6 | (c & 0x3F);
    }
    if (valid && n > 1) {
      static constexpr uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
      valid = cp >= kMinimum[n] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp < 0xE000);
    }
    if (valid) {
      r.append(bytes.substr(i, n));
      i += n;
    } else {
      appendUtf8(r, kReplacement);
      ++i;
    }
  }
  return r;
}

std::string mapBytes(std::string_view bytes, uint32_t (*mapByte)(uint8_t)) {
  std::string r;
  r.reserve(bytes.size());
  for (char c : bytes) appendUtf8(r, mapByte(static_cast<uint8_t>(c)));
  return r;
}

std::optional<std::string> charsetParameter(std::string_view contentType) {
  size_t i = 0;
  while ((i = contentType.find(';', i)) != std::string_view::npos) {
    ++i;
    size_t end = contentType.find(';', i);
    std::string_view p =
        trim(contentType.substr(i, end == std::string_view::npos ? contentType.npos : end - i));
    if (startsWithIgnoreCase(p, "charset=")) {
      std::string_view v = trim(p.substr(8));
      if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
      return std::string(v);
    }
  }
  return std::nullopt;
}

bool isXmlType(std::string_view type) {
  return type == "text/xml" || type == "application/xml" ||
         type == "text/xml-external-parsed-entity" ||
         type == "application/xml-external-parsed-entity" || type == "application/xml-dtd" ||
         type.ends_with("+xml");
}

// Byte-order mark or XML declaration; `bom` receives the mark's length.
std::optional<std::string> detectXmlCharset(std::string_view b, size_t& bom) {
  bom = 0;
  if (b.starts_with("\xEF\xBB\xBF")) {
    bom = 3;
    return "UTF-8";
  }
  if (b.starts_with("\xFE\xFF")) {
    bom = 2;
    return "UTF-16BE";
  }
  if (b.starts_with("\xFF\xFE")) {
    bom = 2;
    return "UTF-16LE";
  }
  if (b.starts_with(std::string_view("\0<\0?", 4))) return "UTF-16BE";
  if (b.starts_with(std::string_view("<\0?\0", 4))) return "UTF-16LE";
  if (!b.starts_with("<?xml")) return std::nullopt;
  std::string_view decl = b.substr(0, b.find("?>"));
  size_t e = decl.find("encoding");
  if (e == std::string_view::npos) return "UTF-8";
  size_t quote = decl.find_first_of("\"'", e);
  if (quote == std::string_view::npos) return "UTF-8";
  size_t end = decl.find(decl[quote], quote + 1);
  if (end == std::string_view::npos) return "UTF-8";
  return std::string(decl.substr(quote + 1, end - quote - 1));
}

}  // namespace

std::string toUtf8(std::string_view bytes, std::string_view charset) {
  std::string name = lowercase(trim(charset));
  if (name == "utf-8" || name == "utf8") return fromUtf8(bytes);
  if (name == "utf-16le" || name == "utf-16") return fromUtf16(bytes, false);
  if (name == "utf-16be") return fromUtf16(bytes, true);
  if (name == "us-ascii" || name == "ascii") {
    return mapBytes(bytes, [](uint8_t b) -> uint32_t { return b > 127 ? '?' : b; });
  }
  if (name == "iso-8859-15" || name == "latin-9" || name == "latin9") {
    return mapBytes(bytes, iso885915);
  }
  if (name == "windows-1252" || name == "cp1252") {
    return mapBytes(bytes, [](uint8_t b) -> uint32_t {
      return b >= 0x80 && b < 0xA0 && kCp1252[b - 0x80] ? kCp1252[b - 0x80] : b;
    });
  }
  return mapBytes(bytes, [](uint8_t b) -> uint32_t { return b; });
}

std::string decodeText(std::string_view bytes, std::string_view contentType) {
  std::string type = lowercase(trim(contentType.substr(0, contentType.find(';'))));
  std::optional<std::string> charset = charsetParameter(contentType);
  if (isXmlType(type)) {
    size_t bom = 0;
    if (auto detected = detectXmlCharset(bytes, bom)) {
      if (bom > 0 || !charset) charset = detected;
      bytes.remove_prefix(bom);
    }
  }
  if (!charset && type.starts_with("text/")) {
    charset = isXmlType(type) ? "us-ascii" : "ISO-8859-1";
  }
  return toUtf8(bytes, charset.value_or(""));
}

}  // namespace orvanta
