#include "service/decodificador_chunked.h"

#include <algorithm>
#include <array>

#include "service/erro_http.h"
#include "service/texto_ascii.h"

namespace orvanta {
namespace {

[[noreturn]] void fechouNoMeio() {
  throw ErroHttp(TipoErroHttp::fechada, "Connection Closed Gracefully.");
}

int64_t tamanhoChunk(std::string_view linha) {
  std::string_view hex = aparar(linha.substr(0, linha.find(';')));
  if (hex.empty()) throw ErroHttp(TipoErroHttp::outro, "Invalid chunk size.");
  int64_t n = 0;
  for (char c : hex) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (minusculaAscii(c) >= 'a' && minusculaAscii(c) <= 'f') {
      d = minusculaAscii(c) - 'a' + 10;
    } else {
      throw ErroHttp(TipoErroHttp::outro, "Invalid chunk size.");
    }
    if (n > (INT64_MAX >> 4)) throw ErroHttp(TipoErroHttp::outro, "Invalid chunk size.");
    n = n * 16 + d;
  }
  return n;
}

}  // namespace

void decodificarChunked(LeitorResposta& leitor, RespostaHttp& resposta, DestinoCorpo& destino,
                        const std::function<void(int64_t)>& contar) {
  std::array<char, LeitorResposta::kTamanhoPedaco> pedaco;
  for (;;) {
    auto linha = leitor.lerLinha();
    if (!linha) fechouNoMeio();
    contar(static_cast<int64_t>(linha->size()) + 2);
    int64_t restante = tamanhoChunk(*linha);
    if (restante == 0) break;
    while (restante > 0) {
      size_t n = leitor.ler(pedaco.data(), static_cast<size_t>(std::min<int64_t>(
                                               restante, static_cast<int64_t>(pedaco.size()))));
      if (n == 0) fechouNoMeio();
      contar(static_cast<int64_t>(n));
      destino.receber(pedaco.data(), n);
      restante -= static_cast<int64_t>(n);
    }
    if (!leitor.lerLinha()) fechouNoMeio();
  }
  lerCabecalhos(leitor, resposta);
}

}  // namespace orvanta
