// The update window's behaviour: fetches the updater built for this processor, starts it and
// one second later ends the program so that the updater can replace it.
#pragma once

#include <functional>

#include "service/endpoints.h"
#include "update/janela_download.h"
#include "update/processador.h"

namespace orvanta {

class DownloadAtualizacao {
 public:
  static constexpr int kEncerramentoMs = 1000;
  static constexpr const char* kNomeArquivo = "atualiza.exe";

  DownloadAtualizacao(JanelaDownload::Ambiente ambiente, Timer& timer3, int& ultimaPosicao,
                      Endpoints endpoints, const InstrucaoCpuid& cpuid,
                      std::function<void()> solicitarEncerramento);

  void FormShow() { janela_.FormShow(); }
  JanelaDownload& janela() { return janela_; }

 private:
  void Timer3Timer();

  Timer& timer3_;
  Endpoints endpoints_;
  const InstrucaoCpuid& cpuid_;
  std::function<void()> solicitarEncerramento_;
  JanelaDownload janela_;
};

}  // namespace orvanta
