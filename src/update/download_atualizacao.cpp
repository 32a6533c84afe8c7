#include "update/download_atualizacao.h"

namespace orvanta {

DownloadAtualizacao::DownloadAtualizacao(JanelaDownload::Ambiente ambiente, Timer& timer3,
                                         int& ultimaPosicao, Endpoints endpoints,
                                         const InstrucaoCpuid& cpuid,
                                         std::function<void()> solicitarEncerramento)
    : timer3_(timer3),
      endpoints_(std::move(endpoints)),
      cpuid_(cpuid),
      solicitarEncerramento_(std::move(solicitarEncerramento)),
      janela_(
          ambiente, ultimaPosicao,
          [this] {
            return DestinoDownload{endpoints_.atualizador(processadorReporta64Bits(cpuid_)),
                                   kNomeArquivo};
          },
          [this] { timer3_.setEnabled(true); }) {
  timer3_.setEnabled(false);
  timer3_.setIntervalMs(kEncerramentoMs);
  timer3_.onTick = [this] { Timer3Timer(); };
}

void DownloadAtualizacao::Timer3Timer() {
  timer3_.setEnabled(false);
  solicitarEncerramento_();
}

}  // namespace orvanta
