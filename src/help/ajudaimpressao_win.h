// The printing help window. Its button runs the check that the local PDF printer is installed,
// which offers its installer when it is not.
#pragma once

#include <functional>

#include "help/help_window_win.h"

namespace orvanta {

class TFrmAjudaImpressao : public HelpWindow {
 public:
  explicit TFrmAjudaImpressao(Application& app);
  ~TFrmAjudaImpressao() override;

  void Button1Click();

  Button Button1;

  // The printer check; set by the window set, where the windows meet.
  std::function<void()> checkPrinter;

 protected:
  void createControls() override;
  // The button runs along the whole width.
  void onResize(int clientWidth, int clientHeight) override;
};

extern TFrmAjudaImpressao* FrmAjudaImpressao;

}  // namespace orvanta
