#include "app/window_set_win.h"

#include "app/session_print_relay_win.h"
#include "app/session_settings.h"

#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "login/login_win.h"
#include "login/version.h"
#include "printing/printer_list_win.h"
#include "service/cliente_http.h"
#include "service/http_settings.h"
#include "service/working_folder_win.h"
#include "session/principal_win.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta {

namespace {

void clearGlobals() {
  FrmLogin = nullptr;
  FrmPrincipal = nullptr;
  FrmDownload = nullptr;
  FrmAjudaImpressao = nullptr;
  FrmAjudaTransferencia = nullptr;
  FrmAtualiza = nullptr;
}

}  // namespace

WindowSet::WindowSet(Application& app) {
  try {
    loginWindow_ = app.createForm<TFrmLogin>();
    FrmLogin = loginWindow_.get();
    loginWindow_->IdHTTP1 = std::make_unique<ClienteHttp>(HttpSettings::login());
    sessionWindow_ = app.createForm<TFrmPrincipal>(VersaoCliente);
    FrmPrincipal = sessionWindow_.get();
    sessionWindow_->IdHTTP1 = SessionPrintRelay::client(relayCancel_);
    loginWindow_->startSession = [&app, login = loginWindow_.get(),
                                  principal = sessionWindow_.get()](
                                     const ParametrosSessao& settings, std::string_view portText) {
      applySessionSettings(principal->control(), settings, portText);
      app.MakeMainWindow(*principal);
      try {
        principal->showSession();
      } catch (...) {
        // The login stays on screen to report it and to be tried again; closing it must still
        // end the program.
        app.MakeMainWindow(*login);
        throw;
      }
      login->close();
    };
    loginWindow_->runUpdate = [&app, login = loginWindow_.get()] {
      auto atualiza = std::make_unique<TFrmAtualiza>(app);
      atualiza->showModal(login);
    };
    sessionWindow_->loginChoices = [login = loginWindow_.get()] { return login->choices(); };
    printRelay_ = std::make_unique<SessionPrintRelay>(
        app, *sessionWindow_, std::make_unique<WorkingFolder>(), relayCancel_);
    // A relay cut short (by the update, say) must not stay marked as running.
    loginWindow_->clearPrintInProgress = [relay = printRelay_.get()] {
      relay->relay().ImpressaoEmAndamento = false;
    };
    installerDownload_ = app.createForm<TFrmDownload>();
    FrmDownload = installerDownload_.get();
    printers_ = std::make_unique<WinPrinterList>();
    printerMessages_ = std::make_unique<WinUserMessages>(app);
    // Asked for from the printing help, which then owns the download window.
    printerCheck_ = std::make_unique<PrinterCheck>(*printers_, *printerMessages_, [&app, this] {
      auto download = std::make_unique<TFrmDownload>(app);
      download->showModal(printingHelp_.get());
    });
    printingHelp_ = app.createForm<TFrmAjudaImpressao>();
    FrmAjudaImpressao = printingHelp_.get();
    printingHelp_->checkPrinter = [check = printerCheck_.get()] { check->check(); };
    transferHelp_ = app.createForm<TFrmAjudaTransferencia>();
    FrmAjudaTransferencia = transferHelp_.get();
    updateDownload_ = app.createForm<TFrmAtualiza>();
    FrmAtualiza = updateDownload_.get();
    sessionWindow_->openTransferHelp = [&app, helpWindow = transferHelp_.get(),
                                        principal = sessionWindow_.get()] {
      app.showModal(*helpWindow, principal);
    };
    sessionWindow_->openPrintingHelp = [&app, helpWindow = printingHelp_.get(),
                                        principal = sessionWindow_.get()] {
      app.showModal(*helpWindow, principal);
    };
  } catch (...) {
    clearGlobals();
    throw;
  }
}

WindowSet::~WindowSet() {
  clearGlobals();
  // First, so that a running transfer is cancelled before anything else is waited for.
  printRelay_.reset();
  // Newest first, the reverse of creation.
  updateDownload_.reset();
  transferHelp_.reset();
  printingHelp_.reset();
  installerDownload_.reset();
  sessionWindow_.reset();
  loginWindow_.reset();
}

}  // namespace orvanta
