#include "service/url_http.h"

#include <algorithm>

#include "service/texto_ascii.h"

namespace orvanta {
namespace {

// Space, controls and non-ASCII would break the request line; "%" stays so callers' escapes hold.
std::string codificarAlvo(std::string_view s) {
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

}  // namespace

UrlHttp dividirUrl(std::string_view entrada) {
  std::string url(entrada);
  size_t corte = url.find_first_of("?#");
  for (size_t i = 0; i < std::min(corte, url.size()); ++i) {
    if (url[i] == '\\') url[i] = '/';
  }
  UrlHttp u;
  std::string_view v = url;
  size_t q = v.find('?');
  if (q != std::string_view::npos) {
    u.consulta = std::string(v.substr(q + 1));
    v = v.substr(0, q);
  }
  size_t esquema = v.find("://");
  if (esquema != std::string_view::npos) {
    u.protocolo = minusculas(v.substr(0, esquema));
    v.remove_prefix(esquema + 3);
    size_t barra = v.find('/');
    std::string_view hostPorta = v.substr(0, barra);
    v = barra == std::string_view::npos ? std::string_view{} : v.substr(barra);
    size_t fragHost = hostPorta.find('#');
    if (fragHost != std::string_view::npos) hostPorta = hostPorta.substr(0, fragHost);
    size_t doisPontos = hostPorta.find(':');
    u.host = std::string(hostPorta.substr(0, doisPontos));
    if (doisPontos != std::string_view::npos)
      u.porta = std::string(hostPorta.substr(doisPontos + 1));
  }
  u.definirCaminho(v);
  if (u.porta.empty() && u.protocolo == "http") u.porta = "80";
  if (u.porta.empty() && u.protocolo == "https") u.porta = "443";
  return u;
}

void UrlHttp::definirCaminho(std::string_view resto) {
  size_t barra = resto.rfind('/');
  if (barra == std::string_view::npos) {
    caminho = "/";
    documento = std::string(resto);
  } else {
    caminho = std::string(resto.substr(0, barra + 1));
    documento = std::string(resto.substr(barra + 1));
  }
  if (caminho.empty() || caminho.front() != '/') caminho.insert(0, "/");
  size_t fragmento = documento.find('#');
  if (fragmento != std::string::npos) documento.resize(fragmento);
}

std::string UrlHttp::alvoRequisicao() const {
  std::string alvo = caminho + documento;
  if (!consulta.empty()) alvo += "?" + consulta;
  return codificarAlvo(alvo);
}

std::string UrlHttp::textoCompleto() const {
  std::string t = protocolo + "://" + host + ":" + porta + caminho + documento;
  if (!consulta.empty()) t += "?" + consulta;
  return t;
}

}  // namespace orvanta
