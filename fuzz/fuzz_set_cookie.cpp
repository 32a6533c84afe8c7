// Set-Cookie values into a store, then the Cookie header built from it: no control character
// other than a tab may ever reach the header.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "service/cookies.h"

namespace {

void checkHeader(const std::string& header) {
  for (char c : header) {
    auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && b != '\t') || b == 0x7F) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length) {
  std::string_view entry(reinterpret_cast<const char*>(data), length);
  orvanta::CookieStore store([] { return int64_t{1700000000}; });
  while (!entry.empty()) {
    size_t end = entry.find('\n');
    store.receive(entry.substr(0, end), "www.ex.com", "/a/b/");
    entry = end == std::string_view::npos ? std::string_view{} : entry.substr(end + 1);
  }
  checkHeader(store.headerFor("www.ex.com", "/a/b/"));
  checkHeader(store.headerFor("ex.com", "/"));
  return 0;
}
