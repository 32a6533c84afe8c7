// TFrmAtualiza (unit atualiza): the update window. Downloads the client's updater, starts it
// and ends the program so that the updater can replace it.
#pragma once

#include <memory>

#include "service/transferencia_http.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"
#include "ui/launcher_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"
#include "update/arquivo_local_win.h"
#include "update/download_atualizacao.h"

namespace orvanta {

class TFrmAtualiza : public Window {
 public:
  // The window set's instance (FrmAtualiza) keeps the class's last bar position; a window made
  // later for one run shares it.
  explicit TFrmAtualiza(Application& app);
  // With the class's last bar position given (tests); without a client of its own, it makes
  // the download client.
  TFrmAtualiza(Application& app, int& ultimaPosicao,
               std::unique_ptr<TransferenciaHttp> http = nullptr,
               Endpoints endpoints = Endpoints());

  int& UltimaPosicao() { return ultimaPosicao_; }
  BarraProgresso& barra() { return nucleo_.janela().ProgressBar1(); }

  std::unique_ptr<TransferenciaHttp> IdHTTP1;
  ProgressBar ProgressBar1;
  WinTimer Timer1{app()};
  WinTimer Timer2{app()};
  WinTimer Timer3{app()};

 protected:
  void onShow() override { nucleo_.FormShow(); }
  void onResize(int clientWidth, int clientHeight) override;

 private:
  // The class's last bar position, when this is the window set's instance.
  int propria_ = 0;
  int& ultimaPosicao_;
  ArquivoLocal arquivos_;
  WinProgramLauncher lancador_;
  CpuidDoProcessador cpuid_;
  DownloadAtualizacao nucleo_;
};

extern TFrmAtualiza* FrmAtualiza;

}  // namespace orvanta
