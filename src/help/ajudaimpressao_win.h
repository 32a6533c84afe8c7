// The printing help window. Its button checks that the local PDF printer is installed and
// offers its installer when it is not.
#pragma once

#include <functional>
#include <memory>

#include "help/help_window_win.h"
#include "printing/printer_check.h"
#include "printing/printer_list.h"
#include "ui/user_messages_win.h"

namespace orvanta {

class TFrmAjudaImpressao : public HelpWindow {
 public:
  TFrmAjudaImpressao(Application& app, std::unique_ptr<PrinterList> printers);
  ~TFrmAjudaImpressao() override;

  void Button1Click();

  Button Button1;

  // A new installer window, shown modally and destroyed; set by the window set, where the
  // windows meet.
  std::function<void()> runInstaller;

 private:
  std::unique_ptr<PrinterList> printers_;
  WinUserMessages messages_{app()};
  PrinterCheck printerCheck_;
};

extern TFrmAjudaImpressao* FrmAjudaImpressao;

}  // namespace orvanta
