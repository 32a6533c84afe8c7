// The session window: hosts the remote desktop control; the main window after a login.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "alert/status_alert_win.h"
#include "keyboard/touch_keyboard_win.h"
#include "service/escolhas_login.h"
#include "service/http_transfer.h"
#include "session/rdp/msrdp_win.h"
#include "session/rdp/rdp_session_win.h"
#include "session/session.h"
#include "ui/controls_win.h"
#include "ui/launcher_win.h"
#include "ui/speed_button_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TFrmPrincipal : public Window, public SessionWindow {
 public:
  // Throws Exception when the remote desktop control cannot be created. The on-screen keyboard
  // reads the platform, unless a test gives it another.
  TFrmPrincipal(Application& app, std::string_view versionText,
                TTouchKeyboard::Platform keyboard = TTouchKeyboard::platform());
  ~TFrmPrincipal() override;

  // Where the login writes the session settings.
  RemoteDesktopControl& control() { return MsRdpClient71->control(); }
  SessionCore& session() { return MsRdpClient71->session(); }

  // The hand-over from the login: activates the control in place, then shows the window.
  // Throws when the control cannot be activated; the window then stays hidden.
  void showSession();

  Panel Panel1{app()};
  SpeedButton SpeedButton1{app()};  // Tela Cheia
  SpeedButton SpeedButton3{app()};  // Reconectar
  SpeedButton SpeedButton4{app()};  // Teclado Virtual
  SpeedButton SpeedButton5{app()};  // Ajuda para transferir arquivos
  SpeedButton SpeedButton6{app()};  // Ajuda para imprimir
  SpeedButton SpeedButton2{app()};  // Suporte
  TTouchKeyboard TouchKeyboard1;
  Label Label1;
  Edit Memo1;
  Edit Edit1;
  std::unique_ptr<HttpTransfer> IdHTTP1;
  WinTimer ChecaImpressao{app(), 5000};
  StatusAlertWin statusAlert{app()};
  std::unique_ptr<rdp::RdpSessionWin> MsRdpClient71;

  // Where the session reaches the rest of the program, set by the window set.
  std::function<EscolhasLogin()> loginChoices;
  std::function<void()> openTransferHelp;
  std::function<void()> openPrintingHelp;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onShow() override;
  void onClose() override;
  void onResize(int clientWidth, int clientHeight) override;

  void fitToScreen() override;
  void setReconnectEnabled(bool enabled) override;
  void showTransferHelp() override;
  void showPrintingHelp() override;
  void requestTermination() override;

 private:
  // Toolbar on top, version label at the bottom, the on-screen keyboard (when shown) above the
  // label, and the control filling exactly the space between toolbar and keyboard or label.
  void layOut();
  RECT controlArea() const;
  // The window and its parts, when first needed.
  void create(const std::string& versionText);

  WinShell shell_{[this] { return hwnd(); }};
  bool shown_ = false;
  // Where the keyboard focus was when the window was last deactivated.
  HWND lastFocus_ = nullptr;
};

extern TFrmPrincipal* FrmPrincipal;

}  // namespace orvanta
