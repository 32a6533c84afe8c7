#include "help/ajudaimpressao_win.h"

namespace orvanta {

TFrmAjudaImpressao* FrmAjudaImpressao = nullptr;

TFrmAjudaImpressao::TFrmAjudaImpressao(Application& app) : Window(app) {
  setColor(RGB(255, 255, 255));
  createTopLevel({.className = L"TFrmAjudaImpressao",
                  .caption = "Ajuda para impressão",
                  .clientWidth = 912,
                  .clientHeight = 397,
                  .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU});
}

}  // namespace orvanta
