// The session's Win32 side without the window itself: the hosted control, its events wired
// to the session rules, and the registry. The session window owns one.
#pragma once

#include <windows.h>

#include <string>

#include "session/rdp/container_ole_win.h"
#include "session/rdp/controle_rdp_win.h"
#include "session/registro_usuario_win.h"
#include "session/sessao.h"

namespace orvanta::rdp {

class SessaoRdpWin {
 public:
  // Hosts controle (see criaControle) on janela; the connection events drive statusAlert.
  SessaoRdpWin(HWND janela, ComPtr<IUnknown> controle, JanelaSessao& janelaSessao,
               AlertaStatus& statusAlert, Timer& checaImpressao, Shell& shell,
               std::string hostSite);

  // What the login writes the session settings to.
  ControleRemoto& controle() { return controle_; }
  Sessao& sessao() { return sessao_; }
  // Activation on the first showing, then every resize; area in client coordinates.
  void posiciona(const RECT& area);
  HWND janelaControle() const { return container_.janela(); }

 private:
  RegistroUsuarioWin registro_;
  ContainerOle container_;
  ControleRdp controle_;
  Sessao sessao_;
};

}  // namespace orvanta::rdp
