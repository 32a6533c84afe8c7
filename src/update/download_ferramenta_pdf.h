// The installer window's behaviour: fetches the PDF tool installer, starts it and closes.
#pragma once

#include <functional>

#include "service/endpoints.h"
#include "update/janela_download.h"

namespace orvanta {

class DownloadFerramentaPdf {
 public:
  static constexpr const char* kNomeArquivo = "pdf.exe";

  // fechar closes the window, which ends its modal run.
  DownloadFerramentaPdf(JanelaDownload::Ambiente ambiente, int& ultimaPosicao,
                        const Endpoints& endpoints, std::function<void()> fechar);

  void FormShow() { janela_.FormShow(); }
  JanelaDownload& janela() { return janela_; }

 private:
  JanelaDownload janela_;
};

}  // namespace orvanta
