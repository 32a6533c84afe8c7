#include "update/janela_download_win.h"

namespace orvanta {

TopLevelOptions opcoesJanelaDownload(const wchar_t* className) {
  return {.className = className,
          .caption = "Download em andamento...",
          .clientWidth = 912,
          .clientHeight = 25};
}

void criarBarra(Window& janela, ProgressBar& controle, BarraProgresso& barra) {
  const SIZE cliente = janela.clientSize();
  controle.create(janela, {0, 0, cliente.cx, cliente.cy});
  barra.onChange = [&controle, &barra] {
    controle.setRange(0, barra.max());
    controle.setPosition(barra.position());
  };
  barra.onChange();
}

}  // namespace orvanta
