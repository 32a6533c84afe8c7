// TFrmDownload (unit download): downloads the PDF tool installer, starts it and closes.
#pragma once

#include <memory>

#include "service/transferencia_http.h"
#include "update/arquivo_local_win.h"
#include "update/download_ferramenta_pdf.h"
#include "update/janela_download_win.h"

namespace orvanta {

class TFrmDownload {
 public:
  // ultimaPosicao is the class's last bar position, kept by whoever creates the windows.
  TFrmDownload(int& ultimaPosicao, std::unique_ptr<TransferenciaHttp> IdHTTP1,
               const Endpoints& endpoints = Endpoints());

  void ShowModal() { janela_.ShowModal(); }
  JanelaDownloadWin& janela() { return janela_; }
  const BarraProgresso& ProgressBar1() { return nucleo_.janela().ProgressBar1(); }

 private:
  JanelaDownloadWin janela_;
  std::unique_ptr<TransferenciaHttp> IdHTTP1_;
  ArquivoLocal arquivos_;
  DownloadFerramentaPdf nucleo_;
};

}  // namespace orvanta
