// The printing help window.
#pragma once

#include "ui/window_win.h"

namespace orvanta {

class TFrmAjudaImpressao : public Window {
 public:
  explicit TFrmAjudaImpressao(Application& app);
};

extern TFrmAjudaImpressao* FrmAjudaImpressao;

}  // namespace orvanta
