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

class ConjuntoJanelas {
 public:
  // Throws what a window's creation throws; the windows already made are then destroyed.
  explicit ConjuntoJanelas(Application& app);
  ~ConjuntoJanelas();
  ConjuntoJanelas(const ConjuntoJanelas&) = delete;
  ConjuntoJanelas& operator=(const ConjuntoJanelas&) = delete;

 private:
  std::unique_ptr<TFrmLogin> login_;
  std::unique_ptr<TFrmPrincipal> principal_;
  std::unique_ptr<TFrmDownload> download_;
  std::unique_ptr<TFrmAjudaImpressao> ajudaImpressao_;
  std::unique_ptr<TFrmAjudaTransferencia> ajudaTransferencia_;
  std::unique_ptr<TFrmAtualiza> atualiza_;
};

}  // namespace orvanta
