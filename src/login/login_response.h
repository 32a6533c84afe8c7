// Reading the login service's answer: "server;port".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

struct LoginResponse {
  std::string server;
  std::string portText;

  // Without a server or a port the account is unknown.
  bool accountFound() const { return !server.empty() && !portText.empty(); }
};

// Splits at the first ";"; a reply without one has no server.
LoginResponse splitLoginResponse(std::string_view response);

// Leading spaces, one optional sign, then decimal digits or a hexadecimal number after
// "$", "x", "X" or "0x", and nothing after. Throws Exception for any other text or a value
// outside 32 bits; hexadecimal values up to FFFFFFFF are taken as the 32-bit pattern.
int32_t parsePort(std::string_view text);

}  // namespace orvanta
