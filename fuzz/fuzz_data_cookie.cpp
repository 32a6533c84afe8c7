// The cookie-date parser.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/data_cookie.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  orvanta::lerDataCookie(std::string_view(reinterpret_cast<const char*>(dados), tamanho));
  return 0;
}
