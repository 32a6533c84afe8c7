#include "help/ajudatransferencia_win.h"

namespace orvanta {

TFrmAjudaTransferencia* FrmAjudaTransferencia = nullptr;

TFrmAjudaTransferencia::TFrmAjudaTransferencia(Application& app) : Window(app) {
  setColor(RGB(255, 255, 255));
  createTopLevel({.className = L"TFrmAjudaTransferencia",
                  .caption = "Ajuda para transferência de arquivos",
                  .clientWidth = 912,
                  .clientHeight = 261,
                  .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU});
}

}  // namespace orvanta
