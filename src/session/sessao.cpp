#include "session/sessao.h"

#include "session/printer_rdp.h"

namespace orvanta {

void Sessao::FormShow(bool impressorasDiretas) {
  PrinterRDP(d_.registro);
  d_.janela.ajustaATela();
  d_.controle.setRedirectDrives(true);
  d_.controle.setRedirectPrinters(impressorasDiretas);
  d_.controle.setRedirectPorts(true);
  d_.checaImpressao.setEnabled(!impressorasDiretas);
  d_.controle.connect();
}

void Sessao::FormClose() {
  try {
    if (d_.controle.connected() == 1) d_.controle.disconnect();
  } catch (...) {
    // A broken control must not keep the program alive.
  }
  d_.janela.solicitaTermino();
}

void Sessao::telaCheia() {
  d_.controle.setFullScreen(true);
}

void Sessao::reconectar() {
  d_.janela.setReconectarHabilitado(false);
  d_.controle.connect();
}

void Sessao::suporte() {
  JumpTo(d_.hostSite);
}

void Sessao::JumpTo(const std::string& aAdress) {
  d_.shell.execute("", "http://" + aAdress);
}

void Sessao::ajudaTransferencia() {
  d_.janela.mostraAjudaTransferencia();
}

void Sessao::ajudaImpressao() {
  d_.janela.mostraAjudaImpressao();
}

void Sessao::eventoControle(int32_t dispid, int32_t argumento) {
  switch (dispid) {
    case kEventoOnConnecting:
      aoConectando();
      break;
    case kEventoOnConnected:
      aoConectado();
      break;
    case kEventoOnDisconnected:
      aoDesconectado(argumento);
      break;
    default:
      break;
  }
}

void Sessao::aoConectando() {
  d_.alerta.show("Conectando", 0);
}

void Sessao::aoConectado() {
  d_.alerta.close();
}

void Sessao::aoDesconectado(int32_t) {
  d_.janela.setReconectarHabilitado(true);
  d_.alerta.show("Desconectado", 1);
}

}  // namespace orvanta
