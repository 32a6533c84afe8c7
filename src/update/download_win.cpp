#include "update/download_win.h"

#include "service/cliente_http.h"
#include "update/janela_download_win.h"

namespace orvanta {

TFrmDownload* FrmDownload = nullptr;

TFrmDownload::TFrmDownload(Application& app)
    : TFrmDownload(app, FrmDownload ? FrmDownload->UltimaPosicao() : propria_) {}

TFrmDownload::TFrmDownload(Application& app, int& ultimaPosicao,
                           std::unique_ptr<TransferenciaHttp> http, const Endpoints& endpoints)
    : Window(app),
      IdHTTP1(http ? std::move(http)
                   : std::make_unique<ClienteHttp>(ConfiguracaoHttp::instalador())),
      ultimaPosicao_(ultimaPosicao),
      nucleo_({Timer1, Timer2, *IdHTTP1, app, arquivos_, lancador_}, ultimaPosicao_, endpoints,
              [this] { close(); }) {
  createTopLevel(opcoesJanelaDownload(L"TFrmDownload"));
  criarBarra(*this, ProgressBar1, nucleo_.janela().ProgressBar1());
}

void TFrmDownload::onResize(int clientWidth, int clientHeight) {
  if (ProgressBar1.hwnd()) ProgressBar1.setBounds({0, 0, clientWidth, clientHeight});
}

}  // namespace orvanta
