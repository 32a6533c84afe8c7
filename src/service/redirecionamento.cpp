#include "service/redirecionamento.h"

#include <vector>

namespace orvanta {
namespace {

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
  u.definirCaminho(normalizarCaminho(caminho));
  return u;
}

}  // namespace orvanta
