#include "app/janelas_win.h"

#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "login/login_win.h"
#include "printing/document_folder_win.h"
#include "service/cliente_http.h"
#include "service/configuracao_http.h"
#include "session/principal_win.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta {

namespace {

void limparGlobais() {
  FrmLogin = nullptr;
  FrmPrincipal = nullptr;
  FrmDownload = nullptr;
  FrmAjudaImpressao = nullptr;
  FrmAjudaTransferencia = nullptr;
  FrmAtualiza = nullptr;
}

}  // namespace

ConjuntoJanelas::ConjuntoJanelas(Application& app) {
  try {
    login_ = app.createForm<TFrmLogin>();
    FrmLogin = login_.get();
    login_->IdHTTP1 = std::make_unique<ClienteHttp>(ConfiguracaoHttp::login());
    principal_ = app.createForm<TFrmPrincipal>();
    FrmPrincipal = principal_.get();
    principal_->IdHTTP1 = std::make_unique<ClienteHttp>(ConfiguracaoHttp::sessao());
    // The login writes the session settings straight into the session window's control.
    login_->controleSessao = [principal = principal_.get()]() -> ControleRemoto& {
      return principal->controle();
    };
    login_->passarSessao = [&app, login = login_.get(), principal = principal_.get()] {
      app.MakeMainWindow(*principal);
      principal->show();
      login->close();
    };
    login_->executarAtualizacao = [&app] {
      auto atualiza = std::make_unique<TFrmAtualiza>(app);
      atualiza->showModal();
    };
    principal_->loginChoices = [login = login_.get()] { return login->escolhas(); };
    principal_->workingFolder = std::make_unique<WorkingFolder>();
    // A relay cut short (by the update, say) must not stay marked as running.
    login_->clearPrintInProgress = [principal = principal_.get()] {
      principal->relay().ImpressaoEmAndamento = false;
    };
    download_ = app.createForm<TFrmDownload>();
    FrmDownload = download_.get();
    ajudaImpressao_ = app.createForm<TFrmAjudaImpressao>();
    FrmAjudaImpressao = ajudaImpressao_.get();
    ajudaTransferencia_ = app.createForm<TFrmAjudaTransferencia>();
    FrmAjudaTransferencia = ajudaTransferencia_.get();
    atualiza_ = app.createForm<TFrmAtualiza>();
    FrmAtualiza = atualiza_.get();
    principal_->mostrarAjudaTransferencia = [&app, ajuda = ajudaTransferencia_.get()] {
      app.showModal(*ajuda);
    };
    principal_->mostrarAjudaImpressao = [&app, ajuda = ajudaImpressao_.get()] {
      app.showModal(*ajuda);
    };
  } catch (...) {
    limparGlobais();
    throw;
  }
}

ConjuntoJanelas::~ConjuntoJanelas() {
  limparGlobais();
  // Newest first, the reverse of creation.
  atualiza_.reset();
  ajudaTransferencia_.reset();
  ajudaImpressao_.reset();
  download_.reset();
  principal_.reset();
  login_.reset();
}

}  // namespace orvanta
