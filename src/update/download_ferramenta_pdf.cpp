#include "update/download_ferramenta_pdf.h"

namespace orvanta {

DownloadFerramentaPdf::DownloadFerramentaPdf(JanelaDownload::Ambiente ambiente, int& ultimaPosicao,
                                             const Endpoints& endpoints,
                                             std::function<void()> fechar)
    : janela_(
          ambiente, ultimaPosicao,
          [url = endpoints.ferramentaPdf()] {
            return DestinoDownload{url, kNomeArquivo};
          },
          std::move(fechar)) {}

}  // namespace orvanta
