// Small ASCII text helpers for protocol fields (no locale).
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

inline char minusculaAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline std::string minusculas(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = minusculaAscii(c);
  return r;
}

inline bool iguaisSemCaixa(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (minusculaAscii(a[i]) != minusculaAscii(b[i])) return false;
  }
  return true;
}

inline bool comecaSemCaixa(std::string_view s, std::string_view prefixo) {
  return s.size() >= prefixo.size() && iguaisSemCaixa(s.substr(0, prefixo.size()), prefixo);
}

inline std::string_view aparar(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace orvanta
