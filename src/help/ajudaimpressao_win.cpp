#include "help/ajudaimpressao_win.h"

#include "help/help_texts.h"
#include "help/printing_picture_win.h"

namespace orvanta {

TFrmAjudaImpressao* FrmAjudaImpressao = nullptr;

TFrmAjudaImpressao::TFrmAjudaImpressao(Application& app)
    : HelpWindow(app,
                 {.className = L"TFrmAjudaImpressao",
                  .caption = "Ajuda para impressão",
                  .client = {912, 397},
                  .picture = {326, 372}},
                 &paintPrintingPicture, printingHelpText()) {
  Button1.create(*this, {0, 372, 912, 25},
                 "Verificar se o PDF Creator está instalado no meu computador");
  Button1.onClick = [this] { Button1Click(); };
}

TFrmAjudaImpressao::~TFrmAjudaImpressao() {
  // No click may reach the check while the window goes.
  destroy();
}

void TFrmAjudaImpressao::Button1Click() {
  if (checkPrinter) checkPrinter();
}

}  // namespace orvanta
