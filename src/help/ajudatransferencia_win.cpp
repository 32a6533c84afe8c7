#include "help/ajudatransferencia_win.h"

#include "help/help_texts.h"
#include "help/transfer_picture_win.h"

namespace orvanta {

TFrmAjudaTransferencia* FrmAjudaTransferencia = nullptr;

TFrmAjudaTransferencia::TFrmAjudaTransferencia(Application& app)
    : HelpWindow(app,
                 {.className = L"TFrmAjudaTransferencia",
                  .caption = "Ajuda para transferência de arquivos",
                  .client = {912, 261},
                  .picture = {400, 261}},
                 &paintTransferPicture, transferHelpText()) {}

}  // namespace orvanta
