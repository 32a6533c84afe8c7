// Set-Cookie values into a store, then the Cookie header built from it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/cookies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length) {
  std::string_view entry(reinterpret_cast<const char*>(data), length);
  orvanta::CookieStore store([] { return int64_t{1700000000}; });
  while (!entry.empty()) {
    size_t end = entry.find('\n');
    store.receive(entry.substr(0, end), "www.ex.com", "/a/b/");
    entry = end == std::string_view::npos ? std::string_view{} : entry.substr(end + 1);
  }
  store.headerFor("www.ex.com", "/a/b/");
  store.headerFor("ex.com", "/");
  return 0;
}
