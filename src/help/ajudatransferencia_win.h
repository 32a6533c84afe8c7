// The file-transfer help window.
#pragma once

#include "ui/window_win.h"

namespace orvanta {

class TFrmAjudaTransferencia : public Window {
 public:
  explicit TFrmAjudaTransferencia(Application& app);
};

extern TFrmAjudaTransferencia* FrmAjudaTransferencia;

}  // namespace orvanta
