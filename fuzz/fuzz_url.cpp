// URL splitting, redirect resolution and the request built from the result. The input is a URL,
// optionally followed by a newline and a Location value.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/escritor_requisicao.h"
#include "service/redirecionamento.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  std::string_view entrada(reinterpret_cast<const char*>(dados), tamanho);
  size_t nl = entrada.find('\n');
  orvanta::UrlHttp url = orvanta::dividirUrl(entrada.substr(0, nl));
  orvanta::CabecalhosRequisicao cabecalhos{"text/html, */*", "agente", "a=1"};
  std::string requisicao = orvanta::montarRequisicao(url, cabecalhos);
  if (requisicao.find("\r\n\r\n") != requisicao.size() - 4) __builtin_trap();
  if (nl != std::string_view::npos) {
    orvanta::UrlHttp destino = orvanta::resolverLocalizacao(url, entrada.substr(nl + 1));
    std::string alvo = destino.alvoRequisicao();
    for (char c : alvo) {
      if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F)
        __builtin_trap();
    }
  }
  return 0;
}
