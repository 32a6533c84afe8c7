// The program's window set: created at start in a fixed order, the first one being the main
// window, and destroyed at the end. Sets the global instances while they exist.
#pragma once

#include <memory>

#include "ui/application_win.h"

namespace orvanta {

class TFrmLogin;
class TFrmPrincipal;
class TFrmDownload;
class TFrmAjudaImpressao;
class TFrmAjudaTransferencia;
class TFrmAtualiza;

class WindowSet {
 public:
  // Throws what a window's creation throws; the windows already made are then destroyed.
  explicit WindowSet(Application& app);
  ~WindowSet();
  WindowSet(const WindowSet&) = delete;
  WindowSet& operator=(const WindowSet&) = delete;

 private:
  std::unique_ptr<TFrmLogin> loginWindow_;
  std::unique_ptr<TFrmPrincipal> sessionWindow_;
  std::unique_ptr<TFrmDownload> installerDownload_;
  std::unique_ptr<TFrmAjudaImpressao> printingHelp_;
  std::unique_ptr<TFrmAjudaTransferencia> transferHelp_;
  std::unique_ptr<TFrmAtualiza> updateDownload_;
};

}  // namespace orvanta
