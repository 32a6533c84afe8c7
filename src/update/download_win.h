// TFrmDownload (unit download): the installer window. Downloads the PDF tool installer,
// starts it and closes.
#pragma once

#include "update/download_ferramenta_pdf.h"
#include "update/janela_download_win.h"

namespace orvanta {

class TFrmDownload : public JanelaDownloadWin {
 public:
  // The window set's instance (FrmDownload) keeps the class's last bar position; a window made
  // later for one run shares it.
  explicit TFrmDownload(Application& app);
  // With the class's last bar position given (tests); without a client of its own, it makes
  // the download client.
  TFrmDownload(Application& app, int& ultimaPosicao,
               std::unique_ptr<TransferenciaHttp> http = nullptr,
               const Endpoints& endpoints = Endpoints());

 protected:
  JanelaDownload& nucleoJanela() override { return nucleo_.janela(); }

 private:
  DownloadFerramentaPdf nucleo_;
};

extern TFrmDownload* FrmDownload;

}  // namespace orvanta
