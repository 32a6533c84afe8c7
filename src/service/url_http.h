// Splitting a URL into the parts a request needs.
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
  // Splits "dir/.../doc#fragment" into caminho and documento.
  void definirCaminho(std::string_view resto);
};

// Splits `url`. Ports are not checked here; an empty scheme yields an empty protocolo.
UrlHttp dividirUrl(std::string_view url);

}  // namespace orvanta
