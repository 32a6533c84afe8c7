#include "service/request_writer.h"

namespace orvanta {
namespace {

constexpr size_t kMaxHeaderLine = 1024;

// UTF-8 input: each non-ASCII character (one lead byte plus its continuations) becomes one "?".
std::string safeHeaderValue(std::string_view value) {
  std::string r;
  r.reserve(value.size());
  for (char c : value) {
    auto b = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n') continue;
    if (b < 0x80) {
      r += c;
    } else if (b >= 0xC0 || (b & 0xC0) != 0x80) {
      r += '?';
    }
  }
  return r;
}

void appendHeader(std::string& output, std::string_view name, std::string_view value) {
  if (value.empty()) return;
  std::string line = std::string(name) + ": " + safeHeaderValue(value);
  std::string_view rest = line;
  bool first = true;
  while (!rest.empty()) {
    size_t limit = first ? kMaxHeaderLine : kMaxHeaderLine - 1;
    size_t cut = rest.size();
    if (cut > limit) {
      size_t space = rest.substr(0, limit).rfind(' ');
      cut = space == std::string_view::npos || space == 0 ? limit : space;
    }
    if (!first) output += ' ';
    output.append(rest.substr(0, cut));
    output += "\r\n";
    rest.remove_prefix(cut);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    first = false;
  }
}

}  // namespace

std::string buildRequest(const HttpUrl& url, const RequestHeaders& headers) {
  std::string r = "GET " + url.requestTarget() + " HTTP/1.1\r\n";
  appendHeader(r, "Host", url.port == "80" ? url.host : url.host + ":" + url.port);
  appendHeader(r, "Accept", headers.accept);
  appendHeader(r, "Accept-Encoding", "identity");
  appendHeader(r, "User-Agent", headers.userAgent);
  appendHeader(r, "Cookie", headers.cookie);
  r += "\r\n";
  return r;
}

}  // namespace orvanta
