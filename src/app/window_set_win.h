// The program's window set: created at start in a fixed order, the first one being the main
// window, and destroyed at the end. Sets the global instances while they exist.
#pragma once

#include <memory>

#include "service/cancellable_channel.h"
#include "ui/application_win.h"
#include "ui/launcher_win.h"

namespace orvanta {

class TFrmLogin;
class TFrmPrincipal;
class TFrmDownload;
class TFrmAjudaImpressao;
class TFrmAjudaTransferencia;
class TFrmAtualiza;
class PrintRelay;
class RelayWorker;
class DocumentFolder;

class WindowSet {
 public:
  // Throws what a window's creation throws; the windows already made are then destroyed.
  explicit WindowSet(Application& app);
  ~WindowSet();
  WindowSet(const WindowSet&) = delete;
  WindowSet& operator=(const WindowSet&) = delete;

  PrintRelay& printRelay() { return *printRelay_; }

 private:
  std::unique_ptr<TFrmLogin> loginWindow_;
  std::unique_ptr<TFrmPrincipal> sessionWindow_;
  std::unique_ptr<TFrmDownload> installerDownload_;
  std::unique_ptr<TFrmAjudaImpressao> printingHelp_;
  std::unique_ptr<TFrmAjudaTransferencia> transferHelp_;
  std::unique_ptr<TFrmAtualiza> updateDownload_;
  // The print relay on the session window: its transfers run on its worker and end when
  // cancelled.
  TransferCancel relayCancel_;
  WinShell relayShell_;
  std::unique_ptr<DocumentFolder> relayFolder_;
  std::unique_ptr<RelayWorker> relayWorker_;
  std::unique_ptr<PrintRelay> printRelay_;
};

}  // namespace orvanta
