#include "update/atualiza_win.h"

namespace orvanta {

TFrmAtualiza::TFrmAtualiza(int& ultimaPosicao, std::unique_ptr<TransferenciaHttp> IdHTTP1,
                           Endpoints endpoints, std::function<void()> solicitarEncerramento)
    : janela_(L"TFrmAtualiza"),
      IdHTTP1_(std::move(IdHTTP1)),
      nucleo_({janela_.timer(0), janela_.timer(1), *IdHTTP1_, janela_.mensagens(), arquivos_,
               janela_.lancador()},
              janela_.timer(2), ultimaPosicao, std::move(endpoints), cpuid_,
              std::move(solicitarEncerramento)) {
  janela_.espelhar(nucleo_.janela().ProgressBar1());
  janela_.aoMostrar = [this] { nucleo_.FormShow(); };
}

}  // namespace orvanta
