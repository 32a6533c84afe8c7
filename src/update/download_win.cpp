#include "update/download_win.h"

namespace orvanta {

TFrmDownload* FrmDownload = nullptr;

TFrmDownload::TFrmDownload(Application& app)
    : TFrmDownload(app, FrmDownload ? FrmDownload->UltimaPosicao() : propria_) {}

TFrmDownload::TFrmDownload(Application& app, int& ultimaPosicao,
                           std::unique_ptr<TransferenciaHttp> http, const Endpoints& endpoints)
    : JanelaDownloadWin(app, ultimaPosicao, std::move(http), ConfiguracaoHttp::instalador()),
      nucleo_(ambiente(), UltimaPosicao(), endpoints, [this] { close(); }) {
  criarJanela(L"TFrmDownload");
}

}  // namespace orvanta
