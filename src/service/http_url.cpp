#include "service/http_url.h"

#include <algorithm>

#include "service/ascii_text.h"

namespace orvanta {
namespace {

// Space, controls and non-ASCII would break the request line; "%" stays so callers' escapes hold.
std::string encodeTarget(std::string_view s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string r;
  r.reserve(s.size());
  for (char c : s) {
    auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b >= 0x7F) {
      r += '%';
      r += kHex[b >> 4];
      r += kHex[b & 15];
    } else {
      r += c;
    }
  }
  return r;
}

bool isSchemeCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '-' || c == '.';
}

}  // namespace

bool beginsWithScheme(std::string_view text) {
  if (text.empty() || lowerAscii(text.front()) < 'a' || lowerAscii(text.front()) > 'z')
    return false;
  size_t end = 1;
  while (end < text.size() && isSchemeCharacter(text[end])) ++end;
  return text.substr(end).starts_with("://");
}

HttpUrl splitUrl(std::string_view input) {
  std::string url(input);
  size_t cut = url.find_first_of("?#");
  for (size_t i = 0; i < std::min(cut, url.size()); ++i) {
    if (url[i] == '\\') url[i] = '/';
  }
  HttpUrl u;
  std::string_view v = url;
  size_t q = v.find('?');
  if (q != std::string_view::npos) {
    u.query = std::string(v.substr(q + 1));
    v = v.substr(0, q);
  }
  size_t schemeEnd = v.find("://");
  if (schemeEnd != std::string_view::npos) {
    u.protocol = lowercase(v.substr(0, schemeEnd));
    v.remove_prefix(schemeEnd + 3);
    size_t bar = v.find('/');
    std::string_view hostPort = v.substr(0, bar);
    v = bar == std::string_view::npos ? std::string_view{} : v.substr(bar);
    size_t hostFragment = hostPort.find('#');
    if (hostFragment != std::string_view::npos) hostPort = hostPort.substr(0, hostFragment);
    // User information is never sent: this client has no credentials to give.
    size_t at = hostPort.rfind('@');
    if (at != std::string_view::npos) hostPort.remove_prefix(at + 1);
    size_t colon = hostPort.find(':');
    u.host = std::string(hostPort.substr(0, colon));
    if (colon != std::string_view::npos) u.port = std::string(hostPort.substr(colon + 1));
  }
  u.setPath(v);
  if (u.port.empty() && u.protocol == "http") u.port = "80";
  if (u.port.empty() && u.protocol == "https") u.port = "443";
  return u;
}

void HttpUrl::setPath(std::string_view rest) {
  size_t bar = rest.rfind('/');
  if (bar == std::string_view::npos) {
    path = "/";
    document = std::string(rest);
  } else {
    path = std::string(rest.substr(0, bar + 1));
    document = std::string(rest.substr(bar + 1));
  }
  if (path.empty() || path.front() != '/') path.insert(0, "/");
  size_t fragment = document.find('#');
  if (fragment != std::string::npos) document.resize(fragment);
}

std::string HttpUrl::requestTarget() const {
  std::string target = path + document;
  if (!query.empty()) target += "?" + query;
  return encodeTarget(target);
}

std::string HttpUrl::toString() const {
  std::string t = protocol + "://" + host + ":" + port + path + document;
  if (!query.empty()) t += "?" + query;
  return t;
}

}  // namespace orvanta
