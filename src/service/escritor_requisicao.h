// The bytes of one GET request.
#pragma once

#include <string>

#include "service/url_http.h"

namespace orvanta {

struct CabecalhosRequisicao {
  std::string accept;
  std::string userAgent;
  std::string cookie;
};

// Request line, Host, Accept, Accept-Encoding, User-Agent, Cookie (each only when not empty),
// blank line. Header values go out one byte per character, "?" for non-ASCII, CR/LF dropped;
// lines over 1024 characters are folded.
std::string montarRequisicao(const UrlHttp& url, const CabecalhosRequisicao& cabecalhos);

}  // namespace orvanta
