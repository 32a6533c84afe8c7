// The cookie-date parser.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/cookie_date.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length) {
  orvanta::parseCookieDate(std::string_view(reinterpret_cast<const char*>(data), length));
  return 0;
}
