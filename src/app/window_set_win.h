// The program's window set: created at start in a fixed order, the first one being the main
// window, and destroyed at the end. Sets the global instances while they exist.
#pragma once

#include <memory>

#include "printing/printer_check.h"
#include "printing/printer_list.h"
#include "ui/application_win.h"
#include "ui/user_messages_win.h"

namespace orvanta {

class TFrmLogin;
class TFrmPrincipal;
class TFrmDownload;
class TFrmAjudaImpressao;
class TFrmAjudaTransferencia;
class TFrmAtualiza;
class SessionPrintRelay;

class WindowSet {
 public:
  // Throws what a window's creation throws; the windows already made are then destroyed.
  explicit WindowSet(Application& app);
  ~WindowSet();
  WindowSet(const WindowSet&) = delete;
  WindowSet& operator=(const WindowSet&) = delete;

  SessionPrintRelay& printRelay() { return *printRelay_; }

 private:
  std::unique_ptr<TFrmLogin> loginWindow_;
  std::unique_ptr<TFrmPrincipal> sessionWindow_;
  std::unique_ptr<SessionPrintRelay> printRelay_;
  std::unique_ptr<TFrmDownload> installerDownload_;
  std::unique_ptr<PrinterList> printers_;
  std::unique_ptr<WinUserMessages> printerMessages_;
  std::unique_ptr<PrinterCheck> printerCheck_;
  std::unique_ptr<TFrmAjudaImpressao> printingHelp_;
  std::unique_ptr<TFrmAjudaTransferencia> transferHelp_;
  std::unique_ptr<TFrmAtualiza> updateDownload_;
};

}  // namespace orvanta
