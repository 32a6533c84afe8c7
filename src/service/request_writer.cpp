#include "service/request_writer.h"

namespace orvanta {
namespace {

// A CR or LF would end the header line early and let a value write headers of its own.
std::string withoutLineBreaks(std::string_view value) {
  std::string r;
  r.reserve(value.size());
  for (char c : value) {
    if (c != '\r' && c != '\n') r += c;
  }
  return r;
}

// UTF-8 input: each non-ASCII character (one lead byte plus its continuations) becomes one "?".
std::string asciiOnly(std::string_view value) {
  std::string r;
  r.reserve(value.size());
  for (char c : value) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      r += c;
    } else if (b >= 0xC0 || (b & 0xC0) != 0x80) {
      r += '?';
    }
  }
  return r;
}

// Always one line, however long: servers refuse folded header lines.
void appendHeader(std::string& output, std::string_view name, std::string_view value) {
  if (value.empty()) return;
  output.append(name);
  output += ": ";
  output += withoutLineBreaks(value);
  output += "\r\n";
}

}  // namespace

std::string buildRequest(const HttpUrl& url, const RequestHeaders& headers) {
  std::string r = "GET " + url.requestTarget() + " HTTP/1.1\r\n";
  appendHeader(r, "Host", asciiOnly(url.port == "80" ? url.host : url.host + ":" + url.port));
  appendHeader(r, "Accept", asciiOnly(headers.accept));
  appendHeader(r, "Accept-Encoding", "identity");
  appendHeader(r, "User-Agent", asciiOnly(headers.userAgent));
  // Cookie values are opaque: they go back exactly as the server sent them.
  appendHeader(r, "Cookie", headers.cookie);
  r += "\r\n";
  return r;
}

}  // namespace orvanta
