// URL splitting, redirect resolution and the request built from the result. The input is a URL,
// optionally followed by a newline and a Location value.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/redirect.h"
#include "service/request_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length) {
  std::string_view entry(reinterpret_cast<const char*>(data), length);
  size_t nl = entry.find('\n');
  orvanta::HttpUrl url = orvanta::splitUrl(entry.substr(0, nl));
  orvanta::RequestHeaders headers{"text/html, */*", "agente", "a=1"};
  std::string request = orvanta::buildRequest(url, headers);
  if (request.find("\r\n\r\n") != request.size() - 4) __builtin_trap();
  if (nl != std::string_view::npos) {
    orvanta::HttpUrl destination = orvanta::resolveLocation(url, entry.substr(nl + 1));
    std::string target = destination.requestTarget();
    for (char c : target) {
      if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F)
        __builtin_trap();
    }
  }
  return 0;
}
