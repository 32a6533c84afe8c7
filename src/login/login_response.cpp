#include "login/login_response.h"

#include <optional>

#include "base/exception.h"

namespace orvanta {
namespace {

std::optional<int> digitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (base == 16 && c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (base == 16 && c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  if (value < 0) {
    return std::nullopt;
  }
  return value;
}

[[noreturn]] void throwNotAnInteger(std::string_view text) {
  throw Exception("'" + std::string(text) + "' is not a valid integer value", "EConvertError");
}

}  // namespace

LoginResponse splitLoginResponse(std::string_view response) {
  const auto separator = response.find(';');
  if (separator == std::string_view::npos) {
    return {};
  }
  return {std::string(response.substr(0, separator)), std::string(response.substr(separator + 1))};
}

int32_t parsePort(std::string_view text) {
  std::string_view rest = text;
  while (!rest.empty() && rest.front() == ' ') {
    rest.remove_prefix(1);
  }
  bool negative = false;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  int base = 10;
  if (rest.starts_with("0x")) {
    base = 16;
    rest.remove_prefix(2);
  } else if (!rest.empty() && (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X')) {
    base = 16;
    rest.remove_prefix(1);
  }
  if (rest.empty()) {
    throwNotAnInteger(text);
  }
  // Decimal must fit a signed 32-bit value; hexadecimal may use all 32 bits.
  const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t value = 0;
  for (char c : rest) {
    const auto digit = digitValue(c, base);
    if (!digit) {
      throwNotAnInteger(text);
    }
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(*digit);
    if (value > limit) {
      throwNotAnInteger(text);
    }
  }
  const auto bits = static_cast<uint32_t>(value);
  return static_cast<int32_t>(negative ? 0u - bits : bits);
}

}  // namespace orvanta
