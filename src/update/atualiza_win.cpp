#include "update/atualiza_win.h"

#include "service/cliente_http.h"
#include "update/janela_download_win.h"

namespace orvanta {

TFrmAtualiza* FrmAtualiza = nullptr;

TFrmAtualiza::TFrmAtualiza(Application& app)
    : TFrmAtualiza(app, FrmAtualiza ? FrmAtualiza->UltimaPosicao() : propria_) {}

TFrmAtualiza::TFrmAtualiza(Application& app, int& ultimaPosicao,
                           std::unique_ptr<TransferenciaHttp> http, Endpoints endpoints)
    : Window(app),
      IdHTTP1(http ? std::move(http)
                   : std::make_unique<ClienteHttp>(ConfiguracaoHttp::atualizacao())),
      ultimaPosicao_(ultimaPosicao),
      nucleo_({Timer1, Timer2, *IdHTTP1, app, arquivos_, lancador_}, Timer3, ultimaPosicao_,
              std::move(endpoints), cpuid_, [this] { this->app().terminate(); }) {
  createTopLevel(opcoesJanelaDownload(L"TFrmAtualiza"));
  criarBarra(*this, ProgressBar1, nucleo_.janela().ProgressBar1());
}

void TFrmAtualiza::onResize(int clientWidth, int clientHeight) {
  if (ProgressBar1.hwnd()) ProgressBar1.setBounds({0, 0, clientWidth, clientHeight});
}

}  // namespace orvanta
