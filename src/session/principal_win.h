// The session window: hosts the remote desktop control; the main window after a login.
#pragma once

#include <functional>
#include <memory>

#include "login/escolhas_login.h"
#include "printing/document_folder.h"
#include "printing/print_relay.h"
#include "service/transferencia_http.h"
#include "session/rdp/msrdp_win.h"
#include "session/rdp/sessao_rdp_win.h"
#include "session/sessao.h"
#include "ui/controls_win.h"
#include "ui/launcher_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TFrmPrincipal : public Window, public JanelaSessao, public PrintRelayHost {
 public:
  // Throws Excecao when the remote desktop control cannot be created.
  explicit TFrmPrincipal(Application& app);
  ~TFrmPrincipal() override;

  // Where the login writes the session settings.
  ControleRemoto& controle() { return MsRdpClient71->controle(); }
  Sessao& sessao() { return MsRdpClient71->sessao(); }
  PrintRelay& relay() { return relay_; }

  Panel Panel1{app()};
  Button SpeedButton1;  // Tela Cheia
  Button SpeedButton3;  // Reconectar
  Button SpeedButton4;  // Teclado Virtual
  Button SpeedButton5;  // Ajuda para transferir arquivos
  Button SpeedButton6;  // Ajuda para imprimir
  Button SpeedButton2;  // Suporte
  Panel TouchKeyboard1{app()};
  Label Label1;
  Edit Memo1;
  Edit Edit1;
  std::unique_ptr<TransferenciaHttp> IdHTTP1;
  WinTimer ChecaImpressao{app(), 5000};
  std::unique_ptr<rdp::SessaoRdpWin> MsRdpClient71;

  // Where the session reaches the rest of the program, set by the window set.
  std::function<EscolhasLogin()> loginChoices;
  // Where relayed documents are written.
  std::unique_ptr<DocumentFolder> workingFolder;
  std::function<void()> mostrarAjudaTransferencia;
  std::function<void()> mostrarAjudaImpressao;

 protected:
  void onShow() override;
  void onClose() override;
  void onResize(int clientWidth, int clientHeight) override;

  void ajustaATela() override;
  void setReconectarHabilitado(bool habilitado) override;
  void mostraAjudaTransferencia() override;
  void mostraAjudaImpressao() override;
  void solicitaTermino() override;

  TransferenciaHttp* relayHttp() override { return IdHTTP1.get(); }
  DocumentFolder* relayFolder() override { return workingFolder.get(); }
  EscolhasLogin relayChoices() override;
  void showRelayUrl(std::string_view url) override { Edit1.setText(url); }

 private:
  RECT areaControle() const;

  WinShell shell_;
  PrintRelay relay_{ChecaImpressao, shell_, *this};
  bool mostrada_ = false;
};

extern TFrmPrincipal* FrmPrincipal;

}  // namespace orvanta
