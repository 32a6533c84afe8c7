// The session window: hosts the remote desktop control; the main window after a login.
#pragma once

#include <functional>
#include <memory>

#include "service/transferencia_http.h"
#include "session/alerta_status_win.h"
#include "session/rdp/msrdp_win.h"
#include "session/rdp/sessao_rdp_win.h"
#include "session/sessao.h"
#include "ui/controls_win.h"
#include "ui/launcher_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TFrmPrincipal : public Window, public JanelaSessao {
 public:
  // Throws Excecao when the remote desktop control cannot be created.
  explicit TFrmPrincipal(Application& app);
  ~TFrmPrincipal() override;

  // Where the login writes the session settings.
  ControleRemoto& controle() { return MsRdpClient71->controle(); }
  Sessao& sessao() { return MsRdpClient71->sessao(); }

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
  AlertaStatusWin statusAlert{app()};
  std::unique_ptr<rdp::SessaoRdpWin> MsRdpClient71;

  // Where the session reaches the rest of the program, set by the window set.
  std::function<bool()> impressorasDiretas;  // the login's direct-printers choice
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

 private:
  RECT areaControle() const;

  WinShell shell_;
  bool mostrada_ = false;
};

extern TFrmPrincipal* FrmPrincipal;

}  // namespace orvanta
