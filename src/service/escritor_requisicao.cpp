#include "service/escritor_requisicao.h"

namespace orvanta {
namespace {

constexpr size_t kMaxLinhaCabecalho = 1024;

// UTF-8 input: each non-ASCII character (one lead byte plus its continuations) becomes one "?".
std::string valorSeguro(std::string_view valor) {
  std::string r;
  r.reserve(valor.size());
  for (char c : valor) {
    auto b = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n') continue;
    if (b < 0x80) {
      r += c;
    } else if (b >= 0xC0 || (b & 0xC0) != 0x80) {
      r += '?';
    }
  }
  return r;
}

void acrescentarCabecalho(std::string& saida, std::string_view nome, std::string_view valor) {
  if (valor.empty()) return;
  std::string linha = std::string(nome) + ": " + valorSeguro(valor);
  std::string_view resto = linha;
  bool primeira = true;
  while (!resto.empty()) {
    size_t limite = primeira ? kMaxLinhaCabecalho : kMaxLinhaCabecalho - 1;
    size_t corte = resto.size();
    if (corte > limite) {
      size_t espaco = resto.substr(0, limite).rfind(' ');
      corte = espaco == std::string_view::npos || espaco == 0 ? limite : espaco;
    }
    if (!primeira) saida += ' ';
    saida.append(resto.substr(0, corte));
    saida += "\r\n";
    resto.remove_prefix(corte);
    while (!resto.empty() && resto.front() == ' ') resto.remove_prefix(1);
    primeira = false;
  }
}

}  // namespace

std::string montarRequisicao(const UrlHttp& url, const CabecalhosRequisicao& cabecalhos) {
  std::string r = "GET " + url.alvoRequisicao() + " HTTP/1.1\r\n";
  acrescentarCabecalho(r, "Host", url.porta == "80" ? url.host : url.host + ":" + url.porta);
  acrescentarCabecalho(r, "Accept", cabecalhos.accept);
  acrescentarCabecalho(r, "Accept-Encoding", "identity");
  acrescentarCabecalho(r, "User-Agent", cabecalhos.userAgent);
  acrescentarCabecalho(r, "Cookie", cabecalhos.cookie);
  r += "\r\n";
  return r;
}

}  // namespace orvanta
