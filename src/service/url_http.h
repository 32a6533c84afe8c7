// Splitting a URL into the parts a request needs, and resolving redirect targets.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

struct UrlHttp {
  std::string protocolo;  // lower-case scheme, e.g. "http"
  std::string host;
  std::string porta;      // "80" when the URL gives none for "http"
  std::string caminho;    // directory part, begins and ends with "/"
  std::string documento;  // last path segment, fragment removed
  std::string consulta;   // after the first "?", without it

  // path + document (+ "?" + query), with unsafe characters percent-encoded.
  std::string alvoRequisicao() const;
  std::string textoCompleto() const;
};

// Splits `url`. Ports are not checked here; an empty scheme yields an empty protocolo.
UrlHttp dividirUrl(std::string_view url);

// Resolves a Location value against the URL of the request that received it.
UrlHttp resolverLocalizacao(const UrlHttp& atual, std::string_view localizacao);

}  // namespace orvanta
