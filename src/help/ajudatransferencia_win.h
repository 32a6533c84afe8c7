// The file-transfer help window.
#pragma once

#include "help/help_window_win.h"

namespace orvanta {

class TFrmAjudaTransferencia : public HelpWindow {
 public:
  explicit TFrmAjudaTransferencia(Application& app);
};

extern TFrmAjudaTransferencia* FrmAjudaTransferencia;

}  // namespace orvanta
