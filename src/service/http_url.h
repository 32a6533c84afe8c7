// Splitting a URL into the parts a request needs.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

struct HttpUrl {
  std::string protocol;  // lower-case scheme, e.g. "http"
  std::string host;
  std::string port;      // "80" when the URL gives none for "http"
  std::string path;      // directory part, begins and ends with "/"
  std::string document;  // last path segment, fragment removed
  std::string query;     // after the first "?", without it

  // path + document (+ "?" + query), with unsafe characters percent-encoded.
  std::string requestTarget() const;
  std::string toString() const;
  // Splits "dir/.../doc#fragment" into path and document.
  void setPath(std::string_view rest);
};

// True when `text` begins with a scheme (a letter, then letters, digits, "+", "-" or ".")
// followed by "://".
bool beginsWithScheme(std::string_view text);

// Splits `url`. Ports are not checked here; an empty scheme yields an empty protocol. User
// information ("user:password@" before the host) is dropped.
HttpUrl splitUrl(std::string_view url);

}  // namespace orvanta
