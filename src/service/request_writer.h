// The bytes of one GET request.
#pragma once

#include <string>

#include "service/http_url.h"

namespace orvanta {

struct RequestHeaders {
  std::string accept;
  std::string userAgent;
  std::string cookie;
};

// Request line, Host, Accept, Accept-Encoding, User-Agent, Cookie (each only when not empty, each
// on one line), blank line. Header values go out one byte per character with CR and LF dropped;
// non-ASCII characters become "?" except in the Cookie value, which goes out byte for byte.
std::string buildRequest(const HttpUrl& url, const RequestHeaders& headers);

}  // namespace orvanta
