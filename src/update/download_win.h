// TFrmDownload (unit download): the installer window. Downloads the PDF tool installer,
// starts it and closes.
#pragma once

#include "update/janela_download_win.h"
#include "update/pdf_tool_download.h"

namespace orvanta {

class TFrmDownload : public JanelaDownloadWin {
 public:
  explicit TFrmDownload(Application& app);
  TFrmDownload(Application& app, int& lastPosition, std::unique_ptr<HttpTransfer> http = nullptr,
               const Endpoints& endpoints = Endpoints());

 protected:
  JanelaDownload& windowCore() override { return core_.window(); }

 private:
  PdfToolDownload core_;
};

extern TFrmDownload* FrmDownload;

}  // namespace orvanta
