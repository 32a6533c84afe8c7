// The session window: hosts the remote desktop control; the main window after a login.
#pragma once

#include <memory>

#include "service/transferencia_http.h"
#include "ui/controls_win.h"
#include "ui/ole_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"

namespace orvanta {

// The platform's Remote Desktop control, version 7 of its client interface.
inline constexpr CLSID CLSID_MsRdpClient7 = {
    0xA9D7038D, 0xB5ED, 0x472E, {0x9C, 0x47, 0x94, 0xBE, 0xA9, 0x0A, 0x59, 0x10}};

class TFrmPrincipal : public Window {
 public:
  // Throws ErroOle when the remote desktop control cannot be created.
  explicit TFrmPrincipal(Application& app);

  std::unique_ptr<TransferenciaHttp> IdHTTP1;
  ComPtr<IUnknown> MsRdpClient71;
  WinTimer ChecaImpressao{app(), 5000};
};

extern TFrmPrincipal* FrmPrincipal;

}  // namespace orvanta
