// The update window: fetches the updater, starts it and ends the program.
#pragma once

#include <memory>

#include "service/transferencia_http.h"
#include "ui/controls_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TFrmAtualiza : public Window {
 public:
  explicit TFrmAtualiza(Application& app);

  std::unique_ptr<TransferenciaHttp> IdHTTP1;
  ProgressBar ProgressBar1;
  WinTimer Timer1{app(), 3000};
  WinTimer Timer2{app(), 10000};
  WinTimer Timer3{app(), 1000};

 protected:
  void onResize(int clientWidth, int clientHeight) override;
};

extern TFrmAtualiza* FrmAtualiza;

}  // namespace orvanta
