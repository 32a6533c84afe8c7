#include "session/principal_win.h"

namespace orvanta {

TFrmPrincipal* FrmPrincipal = nullptr;

TFrmPrincipal::TFrmPrincipal(Application& app) : Window(app) {
  setFont(createFont(L"MS Sans Serif", 11));
  setColor(RGB(255, 255, 255));
  createTopLevel({.className = L"TFrmPrincipal",
                  .caption = "Orvanta - Lessendra",
                  .clientWidth = 784,
                  .clientHeight = 562,
                  .position = POINT{248, 121}});
  MsRdpClient71 = criarObjetoCom(CLSID_MsRdpClient7);
}

}  // namespace orvanta
