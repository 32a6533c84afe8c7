#include "service/corpo_resposta.h"

#include <algorithm>
#include <array>

#include "service/decodificador_chunked.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

constexpr int kEsperaCorpoRedirecionamentoMs = 5000;

}  // namespace

EnquadramentoCorpo enquadramento(const RespostaHttp& resposta, LeitorResposta& leitor) {
  int c = resposta.codigo;
  if ((c >= 100 && c < 200) || c == 204 || c == 304) return EnquadramentoCorpo::nenhum;
  if (resposta.chunked()) return EnquadramentoCorpo::chunked;
  int64_t tamanho = resposta.tamanhoConteudo();
  if (tamanho == 0) return EnquadramentoCorpo::nenhum;
  if (tamanho > 0) return EnquadramentoCorpo::tamanho;
  if (c >= 300 && c < 400 && !leitor.aguardarDados(kEsperaCorpoRedirecionamentoMs)) {
    return EnquadramentoCorpo::nenhum;
  }
  return EnquadramentoCorpo::ateFechar;
}

void lerCorpo(LeitorResposta& leitor, RespostaHttp& resposta, EnquadramentoCorpo modo,
              DestinoCorpo& destino, AcompanhamentoCorpo& acompanhamento) {
  if (modo == EnquadramentoCorpo::nenhum) return;
  int64_t esperado = modo == EnquadramentoCorpo::tamanho ? resposta.tamanhoConteudo() : 0;
  acompanhamento.inicio(esperado);
  int64_t total = 0;
  auto contar = [&](int64_t n) {
    total += n;
    acompanhamento.progresso(total);
  };
  try {
    if (modo == EnquadramentoCorpo::chunked) {
      decodificarChunked(leitor, resposta, destino, contar);
    } else {
      std::array<char, LeitorResposta::kTamanhoPedaco> pedaco;
      bool limitado = modo == EnquadramentoCorpo::tamanho;
      for (;;) {
        size_t maximo = pedaco.size();
        if (limitado) {
          if (total >= esperado) break;
          maximo = static_cast<size_t>(std::min<int64_t>(esperado - total, maximo));
        }
        size_t n = leitor.ler(pedaco.data(), maximo);
        if (n == 0) {
          if (limitado) throw ErroHttp(TipoErroHttp::fechada, "Connection Closed Gracefully.");
          break;
        }
        contar(static_cast<int64_t>(n));
        destino.receber(pedaco.data(), n);
      }
    }
  } catch (...) {
    acompanhamento.fim();
    throw;
  }
  acompanhamento.fim();
}

}  // namespace orvanta
