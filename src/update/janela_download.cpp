#include "update/janela_download.h"

#include <memory>

namespace orvanta {

JanelaDownload::JanelaDownload(Ambiente ambiente, int& ultimaPosicao,
                               std::function<DestinoDownload()> escolherDestino,
                               std::function<void()> aposLancamento)
    : ambiente_(ambiente),
      ultimaPosicao_(ultimaPosicao),
      escolherDestino_(std::move(escolherDestino)),
      aposLancamento_(std::move(aposLancamento)) {
  ambiente_.timer1.setEnabled(false);
  ambiente_.timer1.setIntervalMs(kInicioMs);
  ambiente_.timer1.onTick = [this] { Timer1Timer(); };
  ambiente_.timer2.setEnabled(false);
  ambiente_.timer2.setIntervalMs(kVerificacaoMs);
  ambiente_.timer2.onTick = [this] { Timer2Timer(); };

  TransferenciaHttp& http = ambiente_.http;
  http.OnWorkBegin = [this](TransferenciaHttp&, TWorkMode, int64_t total) { barra_.setMax(total); };
  http.OnWork = [this](TransferenciaHttp&, TWorkMode, int64_t recebidos) {
    barra_.setPosition(recebidos);
    ambiente_.mensagens.processMessages();
  };
  http.OnWorkEnd = [this](TransferenciaHttp&, TWorkMode) { barra_.setPosition(barra_.max()); };
}

void JanelaDownload::FormShow() {
  ambiente_.timer1.setEnabled(true);
}

void JanelaDownload::Timer1Timer() {
  ambiente_.timer1.setEnabled(false);
  if (etapa_ != Etapa::aguardando) return;
  ambiente_.timer2.setEnabled(true);
  barra_.setPosition(0);
  etapa_ = Etapa::baixando;
  try {
    baixar();
  } catch (...) {
    // A failed download is never started; the failure goes on to be shown to the user.
    etapa_ = Etapa::falhou;
    ambiente_.timer2.setEnabled(false);
    throw;
  }
  etapa_ = Etapa::concluido;
}

void JanelaDownload::baixar() {
  const DestinoDownload destino = escolherDestino_();
  nomeArquivo_ = destino.nomeArquivo;
  // The stream closes the file on every way out, before the program can be started.
  const std::unique_ptr<ByteStream> arquivo = ambiente_.arquivos.criar(destino.nomeArquivo);
  ambiente_.http.Get(destino.url, *arquivo);
}

void JanelaDownload::Timer2Timer() {
  const int posicao = barra_.position();
  // The bar also stands still while a transfer stalls or announces no length, so only a
  // finished fetch with its file closed counts.
  if (posicao == ultimaPosicao_ && etapa_ == Etapa::concluido) {
    etapa_ = Etapa::lancado;
    ambiente_.lancador.launch(nomeArquivo_);
    ambiente_.timer2.setEnabled(false);
    ultimaPosicao_ = posicao;
    aposLancamento_();
    return;
  }
  ultimaPosicao_ = posicao;
}

}  // namespace orvanta
