#include "service/url_http.h"

#include <vector>

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

void separarCaminho(std::string_view resto, UrlHttp& u) {
  size_t barra = resto.rfind('/');
  if (barra == std::string_view::npos) {
    u.caminho = "/";
    u.documento = std::string(resto);
  } else {
    u.caminho = std::string(resto.substr(0, barra + 1));
    u.documento = std::string(resto.substr(barra + 1));
  }
  if (u.caminho.empty() || u.caminho.front() != '/') u.caminho.insert(0, "/");
  size_t fragmento = u.documento.find('#');
  if (fragmento != std::string::npos) u.documento.resize(fragmento);
}

// Collapses repeated "/" and applies "." and ".." to a path that begins with "/".
std::string normalizarCaminho(std::string_view caminho) {
  std::vector<std::string_view> segmentos;
  bool terminaEmBarra = caminho.empty() || caminho.back() == '/';
  size_t i = 0;
  while (i <= caminho.size()) {
    size_t fim = caminho.find('/', i);
    if (fim == std::string_view::npos) fim = caminho.size();
    std::string_view seg = caminho.substr(i, fim - i);
    if (seg == "..") {
      if (!segmentos.empty()) segmentos.pop_back();
      if (fim == caminho.size()) terminaEmBarra = true;
    } else if (seg == ".") {
      if (fim == caminho.size()) terminaEmBarra = true;
    } else if (!seg.empty()) {
      segmentos.push_back(seg);
    }
    i = fim + 1;
  }
  std::string r = "/";
  for (size_t k = 0; k < segmentos.size(); ++k) {
    r += segmentos[k];
    if (k + 1 < segmentos.size() || terminaEmBarra) r += '/';
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
  separarCaminho(v, u);
  if (u.porta.empty() && u.protocolo == "http") u.porta = "80";
  if (u.porta.empty() && u.protocolo == "https") u.porta = "443";
  return u;
}

UrlHttp resolverLocalizacao(const UrlHttp& atual, std::string_view localizacao) {
  std::string local(localizacao);
  if (local.find("://") != std::string::npos) return dividirUrl(local);
  if (local.starts_with("//")) return dividirUrl(atual.protocolo + ":" + local);
  std::string consulta;
  size_t q = local.find('?');
  if (q != std::string::npos) {
    consulta = local.substr(q + 1);
    local.resize(q);
  }
  size_t frag = local.find('#');
  if (frag != std::string::npos) local.resize(frag);
  for (char& c : local) {
    if (c == '\\') c = '/';
  }
  std::string caminho = local.starts_with("/") ? local : atual.caminho + local;
  UrlHttp u = atual;
  u.consulta = consulta;
  separarCaminho(normalizarCaminho(caminho), u);
  return u;
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
