// TFrmDownload (unit download): the installer window. Downloads the PDF tool installer,
// starts it and closes.
#pragma once

#include "update/janela_download_win.h"
#include "update/pdf_tool_download.h"

namespace orvanta {

class TFrmDownload : public JanelaDownloadWin {
 public:
  // The window set's instance (FrmDownload) keeps the class's last bar position; a window made
  // later for one run shares it.
  explicit TFrmDownload(Application& app);
  // With the class's last bar position given (tests); without a client of its own, it makes
  // the download client.
  TFrmDownload(Application& app, int& ultimaPosicao, std::unique_ptr<HttpTransfer> http = nullptr,
               const Endpoints& endpoints = Endpoints());

 protected:
  JanelaDownload& windowCore() override { return core_.window(); }

 private:
  PdfToolDownload core_;
};

extern TFrmDownload* FrmDownload;

}  // namespace orvanta
