// URL splitting, redirect resolution and the request built from the result. The input is a URL,
// optionally followed by a newline and a Location value.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/ascii_text.h"
#include "service/redirect.h"
#include "service/request_writer.h"

namespace {

// Written apart from the client's own test: a letter, then letters, digits, "+", "-" or ".",
// then "://".
std::string_view leadingScheme(std::string_view location) {
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (location.empty() || !letter(location[0])) return {};
  size_t end = 1;
  while (end < location.size() &&
         (letter(location[end]) || (location[end] >= '0' && location[end] <= '9') ||
          location[end] == '+' || location[end] == '-' || location[end] == '.')) {
    ++end;
  }
  return location.substr(end).starts_with("://") ? location.substr(0, end) : std::string_view{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length) {
  std::string_view entry(reinterpret_cast<const char*>(data), length);
  size_t nl = entry.find('\n');
  orvanta::HttpUrl url = orvanta::splitUrl(entry.substr(0, nl));
  orvanta::RequestHeaders headers{"text/html, */*", "agente", "a=1"};
  std::string request = orvanta::buildRequest(url, headers);
  if (request.find("\r\n\r\n") != request.size() - 4) __builtin_trap();
  if (nl != std::string_view::npos) {
    std::string_view location = entry.substr(nl + 1);
    orvanta::HttpUrl destination = orvanta::resolveLocation(url, location);
    std::string target = destination.requestTarget();
    for (char c : target) {
      if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F)
        __builtin_trap();
    }
    // Only a scheme at the very start, or "//", sends the next request to another server.
    std::string_view scheme = leadingScheme(location);
    if (!scheme.empty()) {
      if (destination.protocol != orvanta::lowercase(scheme)) __builtin_trap();
    } else if (!location.starts_with("//")) {
      if (destination.protocol != url.protocol || destination.host != url.host ||
          destination.port != url.port) {
        __builtin_trap();
      }
    }
  }
  return 0;
}
