// The installer download window: fetches the PDF tool installer and starts it.
#pragma once

#include <memory>

#include "service/transferencia_http.h"
#include "ui/controls_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TFrmDownload : public Window {
 public:
  explicit TFrmDownload(Application& app);

  std::unique_ptr<TransferenciaHttp> IdHTTP1;
  ProgressBar ProgressBar1;
  WinTimer Timer1{app(), 3000};
  WinTimer Timer2{app(), 10000};

 protected:
  void onResize(int clientWidth, int clientHeight) override;
};

extern TFrmDownload* FrmDownload;

}  // namespace orvanta
