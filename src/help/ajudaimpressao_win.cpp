#include "help/ajudaimpressao_win.h"

#include "help/help_texts.h"
#include "help/printing_picture_win.h"

namespace orvanta {

TFrmAjudaImpressao* FrmAjudaImpressao = nullptr;

namespace {

constexpr Bounds kButton{0, 372, 912, 25};

}  // namespace

TFrmAjudaImpressao::TFrmAjudaImpressao(Application& app)
    : HelpWindow(app,
                 {.className = L"TFrmAjudaImpressao",
                  .caption = "Ajuda para impressão",
                  .client = {912, 397},
                  .picture = {326, 372}},
                 &paintPrintingPicture, printingHelpText()) {
  Button1.onClick = [this] { Button1Click(); };
}

void TFrmAjudaImpressao::createControls() {
  Button1.create(*this, kButton, "Verificar se o PDF Creator está instalado no meu computador");
}

TFrmAjudaImpressao::~TFrmAjudaImpressao() {
  // No click may reach the check while the window goes.
  destroy();
}

void TFrmAjudaImpressao::onResize(int clientWidth, int clientHeight) {
  HelpWindow::onResize(clientWidth, clientHeight);
  if (!Button1.hwnd()) return;
  const Bounds button = scale(kButton);
  Button1.setBounds({0, button.top, clientWidth, button.height});
}

void TFrmAjudaImpressao::Button1Click() {
  if (checkPrinter) checkPrinter();
}

}  // namespace orvanta
