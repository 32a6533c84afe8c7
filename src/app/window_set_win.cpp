#include "app/window_set_win.h"

#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "login/login_win.h"
#include "printing/document_folder_win.h"
#include "printing/printer_list_win.h"
#include "service/cliente_http.h"
#include "service/http_settings.h"
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
    sessionWindow_ = app.createForm<TFrmPrincipal>();
    FrmPrincipal = sessionWindow_.get();
    sessionWindow_->IdHTTP1 = std::make_unique<ClienteHttp>(HttpSettings::session());
    // The login writes the session settings straight into the session window's control.
    loginWindow_->sessionControl = [principal = sessionWindow_.get()]() -> RemoteDesktopControl& {
      return principal->control();
    };
    loginWindow_->handOverSession = [&app, login = loginWindow_.get(),
                                     principal = sessionWindow_.get()] {
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
    sessionWindow_->workingFolder = std::make_unique<WorkingFolder>();
    // A relay cut short (by the update, say) must not stay marked as running.
    loginWindow_->clearPrintInProgress = [principal = sessionWindow_.get()] {
      principal->relay().ImpressaoEmAndamento = false;
    };
    installerDownload_ = app.createForm<TFrmDownload>();
    FrmDownload = installerDownload_.get();
    printingHelp_ = app.createForm<TFrmAjudaImpressao>(std::make_unique<WinPrinterList>());
    FrmAjudaImpressao = printingHelp_.get();
    printingHelp_->runInstaller = [&app, help = printingHelp_.get()] {
      auto download = std::make_unique<TFrmDownload>(app);
      download->showModal(help);
    };
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
  // Newest first, the reverse of creation.
  updateDownload_.reset();
  transferHelp_.reset();
  printingHelp_.reset();
  installerDownload_.reset();
  sessionWindow_.reset();
  loginWindow_.reset();
}

}  // namespace orvanta
