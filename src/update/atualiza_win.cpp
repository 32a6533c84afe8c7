#include "update/atualiza_win.h"

namespace orvanta {

TFrmAtualiza* FrmAtualiza = nullptr;

TFrmAtualiza::TFrmAtualiza(Application& app)
    : TFrmAtualiza(app, FrmAtualiza ? FrmAtualiza->UltimaPosicao() : propria_) {}

TFrmAtualiza::TFrmAtualiza(Application& app, int& ultimaPosicao,
                           std::unique_ptr<TransferenciaHttp> http, Endpoints endpoints)
    : JanelaDownloadWin(app, ultimaPosicao, std::move(http), ConfiguracaoHttp::atualizacao()),
      nucleo_(ambiente(), Timer3, UltimaPosicao(), std::move(endpoints), cpuid_,
              [this] { this->app().terminate(); }) {
  criarJanela(L"TFrmAtualiza");
}

}  // namespace orvanta
