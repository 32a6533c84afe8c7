#include "session/session.h"

#include "session/printer_rdp.h"

namespace orvanta {

void SessionCore::FormShow(bool directPrinters) {
  PrinterRDP(d_.registry);
  d_.window.fitToScreen();
  d_.control.setRedirectDrives(true);
  d_.control.setRedirectPrinters(directPrinters);
  d_.control.setRedirectPorts(true);
  d_.printRelayTimer.setEnabled(!directPrinters);
  d_.control.connect();
}

void SessionCore::FormClose() {
  try {
    if (d_.control.connected() == 1) d_.control.disconnect();
  } catch (...) {
    // A broken control must not keep the program alive.
  }
  d_.window.requestTermination();
}

void SessionCore::fullScreen() {
  d_.control.setFullScreen(true);
}

void SessionCore::reconnect() {
  d_.window.setReconnectEnabled(false);
  d_.control.connect();
}

void SessionCore::support() {
  JumpTo(d_.hostSite);
}

void SessionCore::JumpTo(const std::string& aAdress) {
  d_.shell.execute("", "http://" + aAdress);
}

void SessionCore::transferHelp() {
  d_.window.showTransferHelp();
}

void SessionCore::printingHelp() {
  d_.window.showPrintingHelp();
}

void SessionCore::handleControlEvent(int32_t dispid, int32_t argument) {
  switch (dispid) {
    case kEventOnConnecting:
      onConnecting();
      break;
    case kEventOnConnected:
      onConnected();
      break;
    case kEventOnDisconnected:
      onDisconnected(argument);
      break;
    default:
      break;
  }
}

void SessionCore::onConnecting() {
  d_.alert.show("Conectando", 0);
}

void SessionCore::onConnected() {
  d_.alert.close();
}

void SessionCore::onDisconnected(int32_t) {
  d_.window.setReconnectEnabled(true);
  d_.alert.show("Desconectado", 1);
}

}  // namespace orvanta
