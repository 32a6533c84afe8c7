// The session window: hosts the remote desktop control; the main window after a login.
#pragma once

#include <functional>
#include <memory>

#include "login/escolhas_login.h"
#include "printing/document_folder.h"
#include "printing/print_relay.h"
#include "service/http_transfer.h"
#include "session/rdp/msrdp_win.h"
#include "session/rdp/rdp_session_win.h"
#include "session/session.h"
#include "session/status_alert_win.h"
#include "session/touch_keyboard_win.h"
#include "ui/controls_win.h"
#include "ui/launcher_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TFrmPrincipal : public Window, public SessionWindow, public PrintRelayHost {
 public:
  // Throws Exception when the remote desktop control cannot be created.
  explicit TFrmPrincipal(Application& app);
  ~TFrmPrincipal() override;

  // Where the login writes the session settings.
  RemoteDesktopControl& control() { return MsRdpClient71->control(); }
  SessionCore& session() { return MsRdpClient71->session(); }
  PrintRelay& relay() { return relay_; }

  Panel Panel1{app()};
  Button SpeedButton1;  // Tela Cheia
  Button SpeedButton3;  // Reconectar
  Button SpeedButton4;  // Teclado Virtual
  Button SpeedButton5;  // Ajuda para transferir files
  Button SpeedButton6;  // Ajuda para printRate
  Button SpeedButton2;  // Suporte
  TTouchKeyboard TouchKeyboard1{app()};
  Label Label1;
  Edit Memo1;
  Edit Edit1;
  std::unique_ptr<HttpTransfer> IdHTTP1;
  WinTimer ChecaImpressao{app(), 5000};
  StatusAlertWin statusAlert{app()};
  std::unique_ptr<rdp::RdpSessionWin> MsRdpClient71;

  // Where the session reaches the rest of the program, set by the window set.
  std::function<EscolhasLogin()> loginChoices;
  // Where relayed documents are written.
  std::unique_ptr<DocumentFolder> workingFolder;
  std::function<void()> openTransferHelp;
  std::function<void()> openPrintingHelp;

 protected:
  void onShow() override;
  void onClose() override;
  void onResize(int clientWidth, int clientHeight) override;

  void fitToScreen() override;
  void setReconnectEnabled(bool enabled) override;
  void showTransferHelp() override;
  void showPrintingHelp() override;
  void requestTermination() override;

  HttpTransfer* relayHttp() override { return IdHTTP1.get(); }
  DocumentFolder* relayFolder() override { return workingFolder.get(); }
  EscolhasLogin relayChoices() override;
  void showRelayUrl(std::string_view url) override { Edit1.setText(url); }

 private:
  RECT controlArea() const;

  WinShell shell_;
  PrintRelay relay_{ChecaImpressao, shell_, *this};
  bool shown_ = false;
};

extern TFrmPrincipal* FrmPrincipal;

}  // namespace orvanta
