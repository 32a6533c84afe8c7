#include "update/janela_download_win.h"

#include "service/cliente_http.h"

namespace orvanta {

JanelaDownloadWin::JanelaDownloadWin(Application& app, int& ultimaPosicao,
                                     std::unique_ptr<TransferenciaHttp> http,
                                     const ConfiguracaoHttp& configuracao)
    : Window(app),
      IdHTTP1(http ? std::move(http) : std::make_unique<ClienteHttp>(configuracao)),
      ultimaPosicao_(ultimaPosicao) {}

void JanelaDownloadWin::criarJanela(const wchar_t* className) {
  createTopLevel({.className = className,
                  .caption = "Download em andamento...",
                  .clientWidth = 912,
                  .clientHeight = 25});
  const SIZE cliente = clientSize();
  ProgressBar1.create(*this, {0, 0, cliente.cx, cliente.cy});
  BarraProgresso& nucleo = barra();
  nucleo.onChange = [this, &nucleo] {
    ProgressBar1.setRange(0, nucleo.max());
    ProgressBar1.setPosition(nucleo.position());
  };
  nucleo.onChange();
}

void JanelaDownloadWin::onResize(int clientWidth, int clientHeight) {
  if (ProgressBar1.hwnd()) ProgressBar1.setBounds({0, 0, clientWidth, clientHeight});
}

}  // namespace orvanta
