#include "service/cookie_date.h"

#include <array>
#include <string>

#include "service/ascii_text.h"

namespace orvanta {
namespace {

bool isDelimiter(unsigned char c) {
  return c == 0x09 || (c >= 0x20 && c <= 0x2F) || (c >= 0x3B && c <= 0x40) ||
         (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E);
}

bool digit(char c) {
  return c >= '0' && c <= '9';
}

// 1*max DIGIT at the start, then anything that is not a digit.
std::optional<int> number(std::string_view& s, size_t minimum, size_t maximum) {
  size_t n = 0;
  int v = 0;
  while (n < s.size() && digit(s[n])) {
    if (n == maximum) return std::nullopt;
    v = v * 10 + (s[n] - '0');
    ++n;
  }
  if (n < minimum) return std::nullopt;
  s.remove_prefix(n);
  return v;
}

bool parseTime(std::string_view t, int& h, int& m, int& s) {
  auto a = number(t, 1, 2);
  if (!a || t.empty() || t[0] != ':') return false;
  t.remove_prefix(1);
  auto b = number(t, 1, 2);
  if (!b || t.empty() || t[0] != ':') return false;
  t.remove_prefix(1);
  auto c = number(t, 1, 2);
  if (!c) return false;
  h = *a, m = *b, s = *c;
  return true;
}

// Days from 1970-01-01 to a proleptic Gregorian date.
int64_t daysSinceEpoch(int64_t y, int month, int day) {
  y -= month <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int daysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDaysInMonth = {31, 28, 31, 30, 31, 30,
                                                       31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDaysInMonth[static_cast<size_t>(month - 1)];
}

}  // namespace

std::optional<int64_t> parseCookieDate(std::string_view text) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
  bool hasTime = false, hasDay = false, hasMonth = false, hasYear = false;
  int hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isDelimiter(static_cast<unsigned char>(text[i]))) ++i;
    size_t j = i;
    while (j < text.size() && !isDelimiter(static_cast<unsigned char>(text[j]))) ++j;
    std::string_view token = text.substr(i, j - i);
    i = j;
    if (token.empty()) continue;
    int h, m, s;
    if (!hasTime && parseTime(token, h, m, s)) {
      hasTime = true, hour = h, minute = m, second = s;
      continue;
    }
    std::string_view t = token;
    if (!hasDay) {
      if (auto d = number(t, 1, 2); d && (t.empty() || !digit(t[0]))) {
        hasDay = true, day = *d;
        continue;
      }
    }
    if (!hasMonth && token.size() >= 3) {
      std::string firstThree = lowercase(token.substr(0, 3));
      bool found = false;
      for (size_t k = 0; k < kMonths.size(); ++k) {
        if (firstThree == kMonths[k]) {
          hasMonth = true, month = static_cast<int>(k) + 1, found = true;
          break;
        }
      }
      if (found) continue;
    }
    t = token;
    if (!hasYear) {
      if (auto a = number(t, 2, 4); a && (t.empty() || !digit(t[0]))) {
        hasYear = true, year = *a;
        continue;
      }
    }
  }
  if (hasYear && year >= 70 && year <= 99) year += 1900;
  if (hasYear && year >= 0 && year <= 69) year += 2000;
  if (!hasTime || !hasDay || !hasMonth || !hasYear) return std::nullopt;
  if (day < 1 || day > 31 || year < 1601 || hour > 23 || minute > 59 || second > 59) {
    return std::nullopt;
  }
  if (day > daysInMonth(year, month)) return std::nullopt;
  return daysSinceEpoch(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

}  // namespace orvanta
