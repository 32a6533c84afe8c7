// TFrmDownload (unit download): the installer window. Downloads the PDF tool installer,
// starts it and closes.
#pragma once

#include <memory>

#include "service/transferencia_http.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"
#include "ui/launcher_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"
#include "update/arquivo_local_win.h"
#include "update/download_ferramenta_pdf.h"

namespace orvanta {

class TFrmDownload : public Window {
 public:
  // The window set's instance (FrmDownload) keeps the class's last bar position; a window made
  // later for one run shares it.
  explicit TFrmDownload(Application& app);
  // With the class's last bar position given (tests); without a client of its own, it makes
  // the download client.
  TFrmDownload(Application& app, int& ultimaPosicao,
               std::unique_ptr<TransferenciaHttp> http = nullptr,
               const Endpoints& endpoints = Endpoints());

  int& UltimaPosicao() { return ultimaPosicao_; }
  BarraProgresso& barra() { return nucleo_.janela().ProgressBar1(); }

  std::unique_ptr<TransferenciaHttp> IdHTTP1;
  ProgressBar ProgressBar1;
  WinTimer Timer1{app()};
  WinTimer Timer2{app()};

 protected:
  void onShow() override { nucleo_.FormShow(); }
  void onResize(int clientWidth, int clientHeight) override;

 private:
  // The class's last bar position, when this is the window set's instance.
  int propria_ = 0;
  int& ultimaPosicao_;
  ArquivoLocal arquivos_;
  WinProgramLauncher lancador_;
  DownloadFerramentaPdf nucleo_;
};

extern TFrmDownload* FrmDownload;

}  // namespace orvanta
