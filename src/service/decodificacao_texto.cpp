#include "service/decodificacao_texto.h"

#include <array>
#include <cstdint>
#include <optional>

#include "service/texto_ascii.h"

namespace orvanta {
namespace {

void acrescentarUtf8(std::string& s, uint32_t cp) {
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

constexpr uint32_t kSubstituto = 0xFFFD;

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

std::string deUtf16(std::string_view bytes, bool bigEndian) {
  std::string r;
  size_t i = 0;
  auto unidade = [&](size_t k) -> uint32_t {
    auto a = static_cast<uint8_t>(bytes[k]), b = static_cast<uint8_t>(bytes[k + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  while (i + 1 < bytes.size()) {
    uint32_t u = unidade(i);
    i += 2;
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < bytes.size()) {
      uint32_t baixo = unidade(i);
      if (baixo >= 0xDC00 && baixo < 0xE000) {
        i += 2;
        acrescentarUtf8(r, 0x10000 + ((u - 0xD800) << 10) + (baixo - 0xDC00));
        continue;
      }
    }
    acrescentarUtf8(r, u >= 0xD800 && u < 0xE000 ? kSubstituto : u);
  }
  if (i < bytes.size()) acrescentarUtf8(r, kSubstituto);
  return r;
}

// Keeps valid UTF-8 and replaces each invalid byte with U+FFFD.
std::string deUtf8(std::string_view bytes) {
  std::string r;
  r.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    auto b = static_cast<uint8_t>(bytes[i]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    uint32_t cp = n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
    bool valido = n > 0 && i + n <= bytes.size();
    for (size_t k = 1; valido && k < n; ++k) {
      auto c = static_cast<uint8_t>(bytes[i + k]);
      valido = (c & 0xC0) == 0x80;
      cp = cp << 6 | (c & 0x3F);
    }
    if (valido && n > 1) {
      static constexpr uint32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
      valido = cp >= kMinimo[n] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp < 0xE000);
    }
    if (valido) {
      r.append(bytes.substr(i, n));
      i += n;
    } else {
      acrescentarUtf8(r, kSubstituto);
      ++i;
    }
  }
  return r;
}

std::string porByte(std::string_view bytes, uint32_t (*mapa)(uint8_t)) {
  std::string r;
  r.reserve(bytes.size());
  for (char c : bytes) acrescentarUtf8(r, mapa(static_cast<uint8_t>(c)));
  return r;
}

std::optional<std::string> parametroCharset(std::string_view contentType) {
  size_t i = 0;
  while ((i = contentType.find(';', i)) != std::string_view::npos) {
    ++i;
    size_t fim = contentType.find(';', i);
    std::string_view p =
        aparar(contentType.substr(i, fim == std::string_view::npos ? contentType.npos : fim - i));
    if (comecaSemCaixa(p, "charset=")) {
      std::string_view v = aparar(p.substr(8));
      if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
      return std::string(v);
    }
  }
  return std::nullopt;
}

bool tipoXml(std::string_view tipo) {
  return tipo == "text/xml" || tipo == "application/xml" ||
         tipo == "text/xml-external-parsed-entity" ||
         tipo == "application/xml-external-parsed-entity" || tipo == "application/xml-dtd" ||
         tipo.ends_with("+xml");
}

// Byte-order mark or XML declaration; `bom` receives the mark's length.
std::optional<std::string> detectarXml(std::string_view b, size_t& bom) {
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
  size_t aspa = decl.find_first_of("\"'", e);
  if (aspa == std::string_view::npos) return "UTF-8";
  size_t fim = decl.find(decl[aspa], aspa + 1);
  if (fim == std::string_view::npos) return "UTF-8";
  return std::string(decl.substr(aspa + 1, fim - aspa - 1));
}

}  // namespace

std::string paraUtf8(std::string_view bytes, std::string_view charset) {
  std::string nome = minusculas(aparar(charset));
  if (nome == "utf-8" || nome == "utf8") return deUtf8(bytes);
  if (nome == "utf-16le" || nome == "utf-16") return deUtf16(bytes, false);
  if (nome == "utf-16be") return deUtf16(bytes, true);
  if (nome == "us-ascii" || nome == "ascii") {
    return porByte(bytes, [](uint8_t b) -> uint32_t { return b > 127 ? '?' : b; });
  }
  if (nome == "iso-8859-15" || nome == "latin-9" || nome == "latin9") {
    return porByte(bytes, iso885915);
  }
  if (nome == "windows-1252" || nome == "cp1252") {
    return porByte(bytes, [](uint8_t b) -> uint32_t {
      return b >= 0x80 && b < 0xA0 && kCp1252[b - 0x80] ? kCp1252[b - 0x80] : b;
    });
  }
  return porByte(bytes, [](uint8_t b) -> uint32_t { return b; });
}

std::string decodificarTexto(std::string_view bytes, std::string_view contentType) {
  std::string tipo = minusculas(aparar(contentType.substr(0, contentType.find(';'))));
  std::optional<std::string> charset = parametroCharset(contentType);
  if (tipoXml(tipo)) {
    size_t bom = 0;
    if (auto detectado = detectarXml(bytes, bom)) {
      if (bom > 0 || !charset) charset = detectado;
      bytes.remove_prefix(bom);
    }
  }
  if (!charset && tipo.starts_with("text/")) {
    charset = tipoXml(tipo) ? "us-ascii" : "ISO-8859-1";
  }
  return paraUtf8(bytes, charset.value_or(""));
}

}  // namespace orvanta
