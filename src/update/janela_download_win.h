// What the two download windows share on the Win32 side: the HTTP client, the progress bar
// mirrored from the core's, the two timers, the local files, the signature check, the
// message boxes and the launcher.
#pragma once

#include <memory>

#include "service/http_settings.h"
#include "service/http_transfer.h"
#include "service/working_folder_win.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"
#include "ui/launcher_win.h"
#include "ui/timer_win.h"
#include "ui/user_messages_win.h"
#include "ui/window_win.h"
#include "update/janela_download.h"
#include "update/signature_check_win.h"

namespace orvanta {

// Each derived window has two constructors: one for the window set's instance (FrmAtualiza,
// FrmDownload), which keeps the class's last bar position that a window made later for one run
// shares; and one given that position (tests), which makes its own download client unless one
// is given.
class JanelaDownloadWin : public Window {
 public:
  int& UltimaPosicao() { return lastPosition_; }
  ProgressBarModel& bar() { return windowCore().ProgressBar1(); }

  std::unique_ptr<HttpTransfer> IdHTTP1;
  ProgressBar ProgressBar1;
  WinTimer Timer1{app()};
  WinTimer Timer2{app()};

 protected:
  // Without a client of its own (http null) the window makes one with `settings`.
  JanelaDownloadWin(Application& app, int& lastPosition, std::unique_ptr<HttpTransfer> http,
                    const HttpSettings& settings);

  // The window's own core, made by the derived window after this part.
  virtual JanelaDownload& windowCore() = 0;
  JanelaDownload::Environment environment() {
    return {Timer1,
            Timer2,
            *IdHTTP1,
            app(),
            files_,
            launcher_,
            signatures_,
            userMessages_,
            [this](std::exception_ptr failure) { app().handleException(failure); },
            [this] { close(); }};
  }
  // Caption "Download em andamento...", client area 912 x 25, centred, the bar filling it; made
  // when first shown.
  void createWindow(const wchar_t* className);
  void create(const wchar_t* className);

  void onShow() override { windowCore().FormShow(); }
  void onClose() override { windowCore().FormClose(); }
  void onResize(int clientWidth, int clientHeight) override;

  // The class's last bar position, when this is the window set's instance.
  int ownPosition_ = 0;

 private:
  int& lastPosition_;
  WorkingFolder files_;
  WinProgramLauncher launcher_;
  WinSignatureCheck signatures_;
  WinUserMessages userMessages_{app()};
};

}  // namespace orvanta
