// What the two download windows share on the Win32 side: the HTTP client, the progress bar
// mirrored from the core's, the two timers, the local files and the launcher.
#pragma once

#include <memory>

#include "service/configuracao_http.h"
#include "service/transferencia_http.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"
#include "ui/launcher_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"
#include "update/arquivo_local_win.h"
#include "update/janela_download.h"

namespace orvanta {

class JanelaDownloadWin : public Window {
 public:
  int& UltimaPosicao() { return ultimaPosicao_; }
  BarraProgresso& barra() { return nucleoJanela().ProgressBar1(); }

  std::unique_ptr<TransferenciaHttp> IdHTTP1;
  ProgressBar ProgressBar1;
  WinTimer Timer1{app()};
  WinTimer Timer2{app()};

 protected:
  // Without a client of its own (http null) the window makes one with `configuracao`.
  JanelaDownloadWin(Application& app, int& ultimaPosicao, std::unique_ptr<TransferenciaHttp> http,
                    const ConfiguracaoHttp& configuracao);

  // The window's own core, made by the derived window after this part.
  virtual JanelaDownload& nucleoJanela() = 0;
  JanelaDownload::Ambiente ambiente() {
    return {Timer1, Timer2, *IdHTTP1, app(), arquivos_, lancador_};
  }
  // Caption "Download em andamento...", client area 912 x 25, centred, the bar filling it.
  void criarJanela(const wchar_t* className);

  void onShow() override { nucleoJanela().FormShow(); }
  void onResize(int clientWidth, int clientHeight) override;

  // The class's last bar position, when this is the window set's instance.
  int propria_ = 0;

 private:
  int& ultimaPosicao_;
  ArquivoLocal arquivos_;
  WinProgramLauncher lancador_;
};

}  // namespace orvanta
