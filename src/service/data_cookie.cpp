#include "service/data_cookie.h"

#include <array>
#include <string>

#include "service/texto_ascii.h"

namespace orvanta {
namespace {

bool delimitador(unsigned char c) {
  return c == 0x09 || (c >= 0x20 && c <= 0x2F) || (c >= 0x3B && c <= 0x40) ||
         (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E);
}

bool digito(char c) {
  return c >= '0' && c <= '9';
}

// 1*max DIGIT at the start, then anything that is not a digit.
std::optional<int> numero(std::string_view& s, size_t minimo, size_t maximo) {
  size_t n = 0;
  int v = 0;
  while (n < s.size() && digito(s[n])) {
    if (n == maximo) return std::nullopt;
    v = v * 10 + (s[n] - '0');
    ++n;
  }
  if (n < minimo) return std::nullopt;
  s.remove_prefix(n);
  return v;
}

bool lerHora(std::string_view t, int& h, int& m, int& s) {
  auto a = numero(t, 1, 2);
  if (!a || t.empty() || t[0] != ':') return false;
  t.remove_prefix(1);
  auto b = numero(t, 1, 2);
  if (!b || t.empty() || t[0] != ':') return false;
  t.remove_prefix(1);
  auto c = numero(t, 1, 2);
  if (!c) return false;
  h = *a, m = *b, s = *c;
  return true;
}

// Days from 1970-01-01 to a proleptic Gregorian date.
int64_t diasDesdeEpoca(int64_t y, int mes, int dia) {
  y -= mes <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int diasNoMes(int ano, int mes) {
  static constexpr std::array<int, 12> kDias = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool bissexto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
  return mes == 2 && bissexto ? 29 : kDias[static_cast<size_t>(mes - 1)];
}

}  // namespace

std::optional<int64_t> lerDataCookie(std::string_view texto) {
  static constexpr std::array<std::string_view, 12> kMeses = {
      "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
  bool temHora = false, temDia = false, temMes = false, temAno = false;
  int hora = 0, minuto = 0, segundo = 0, dia = 0, mes = 0, ano = 0;
  size_t i = 0;
  while (i < texto.size()) {
    while (i < texto.size() && delimitador(static_cast<unsigned char>(texto[i]))) ++i;
    size_t j = i;
    while (j < texto.size() && !delimitador(static_cast<unsigned char>(texto[j]))) ++j;
    std::string_view token = texto.substr(i, j - i);
    i = j;
    if (token.empty()) continue;
    int h, m, s;
    if (!temHora && lerHora(token, h, m, s)) {
      temHora = true, hora = h, minuto = m, segundo = s;
      continue;
    }
    std::string_view t = token;
    if (!temDia) {
      if (auto d = numero(t, 1, 2); d && (t.empty() || !digito(t[0]))) {
        temDia = true, dia = *d;
        continue;
      }
    }
    if (!temMes && token.size() >= 3) {
      std::string tres = minusculas(token.substr(0, 3));
      bool achou = false;
      for (size_t k = 0; k < kMeses.size(); ++k) {
        if (tres == kMeses[k]) {
          temMes = true, mes = static_cast<int>(k) + 1, achou = true;
          break;
        }
      }
      if (achou) continue;
    }
    t = token;
    if (!temAno) {
      if (auto a = numero(t, 2, 4); a && (t.empty() || !digito(t[0]))) {
        temAno = true, ano = *a;
        continue;
      }
    }
  }
  if (temAno && ano >= 70 && ano <= 99) ano += 1900;
  if (temAno && ano >= 0 && ano <= 69) ano += 2000;
  if (!temHora || !temDia || !temMes || !temAno) return std::nullopt;
  if (dia < 1 || dia > 31 || ano < 1601 || hora > 23 || minuto > 59 || segundo > 59) {
    return std::nullopt;
  }
  if (dia > diasNoMes(ano, mes)) return std::nullopt;
  return diasDesdeEpoca(ano, mes, dia) * 86400 + hora * 3600 + minuto * 60 + segundo;
}

}  // namespace orvanta
