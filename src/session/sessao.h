// The session window's rules: the start sequence when shown, the end when closed, its
// buttons and the remote desktop control's events.
#pragma once

#include <cstdint>
#include <string>

#include "base/launcher.h"
#include "base/timer.h"
#include "session/alerta_status.h"
#include "session/controle_remoto.h"
#include "session/registro_usuario.h"

namespace orvanta {

// What the rules need from the window itself.
class JanelaSessao {
 public:
  virtual ~JanelaSessao() = default;
  // Width and height to the screen's, then the maximised state.
  virtual void ajustaATela() = 0;
  virtual void setReconectarHabilitado(bool habilitado) = 0;
  virtual void mostraAjudaTransferencia() = 0;
  virtual void mostraAjudaImpressao() = 0;
  virtual void solicitaTermino() = 0;
};

struct DependenciasSessao {
  ControleRemoto& controle;
  RegistroUsuario& registro;
  JanelaSessao& janela;
  AlertaStatus& alerta;
  Timer& checaImpressao;
  Shell& shell;
  std::string hostSite;
};

// Dispatch ids of the control's events that the session handles.
inline constexpr int32_t kEventoOnConnecting = 1;
inline constexpr int32_t kEventoOnConnected = 2;
inline constexpr int32_t kEventoOnDisconnected = 4;

class Sessao {
 public:
  explicit Sessao(DependenciasSessao d) : d_(d) {}

  // Each step may throw; a failure leaves the later steps, the connection included, undone.
  void FormShow(bool impressorasDiretas);
  // Never throws: ending the program must not depend on the control.
  void FormClose();

  void telaCheia();
  void reconectar();
  void suporte();
  void ajudaTransferencia();
  void ajudaImpressao();
  void JumpTo(const std::string& aAdress);

  // An event of the control by its dispatch id; the others are not handled.
  void eventoControle(int32_t dispid, int32_t argumento);

  void aoConectando();
  void aoConectado();
  void aoDesconectado(int32_t discReason);

 private:
  DependenciasSessao d_;
};

}  // namespace orvanta
