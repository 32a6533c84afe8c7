// TFrmAtualiza (unit atualiza): the update window. Downloads the client's updater, starts it
// and ends the program so that the updater can replace it.
#pragma once

#include "update/janela_download_win.h"
#include "update/update_download.h"

namespace orvanta {

class TFrmAtualiza : public JanelaDownloadWin {
 public:
  explicit TFrmAtualiza(Application& app);
  TFrmAtualiza(Application& app, int& lastPosition, std::unique_ptr<HttpTransfer> http = nullptr,
               Endpoints endpoints = Endpoints());

  WinTimer Timer3{app()};

 protected:
  JanelaDownload& windowCore() override { return core_.window(); }

 private:
  ProcessorCpuid cpuid_;
  UpdateDownload core_;
};

extern TFrmAtualiza* FrmAtualiza;

}  // namespace orvanta
