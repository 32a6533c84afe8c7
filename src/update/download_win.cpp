#include "update/download_win.h"

namespace orvanta {

TFrmDownload::TFrmDownload(int& ultimaPosicao, std::unique_ptr<TransferenciaHttp> IdHTTP1,
                           const Endpoints& endpoints)
    : janela_(L"TFrmDownload"),
      IdHTTP1_(std::move(IdHTTP1)),
      nucleo_({janela_.timer(0), janela_.timer(1), *IdHTTP1_, janela_.mensagens(), arquivos_,
               janela_.lancador()},
              ultimaPosicao, endpoints, [this] { janela_.Close(); }) {
  janela_.espelhar(nucleo_.janela().ProgressBar1());
  janela_.aoMostrar = [this] { nucleo_.FormShow(); };
}

}  // namespace orvanta
