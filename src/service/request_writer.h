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

// Request line, Host, Accept, Accept-Encoding, User-Agent, Cookie (each only when not empty),
// blank line. Header values go out one byte per character, "?" for non-ASCII, CR/LF dropped;
// lines over 1024 characters are folded.
std::string buildRequest(const HttpUrl& url, const RequestHeaders& headers);

}  // namespace orvanta
