#include "app/janelas_win.h"

#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "login/login_win.h"
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
    principal_ = app.createForm<TFrmPrincipal>();
    FrmPrincipal = principal_.get();
    download_ = app.createForm<TFrmDownload>();
    FrmDownload = download_.get();
    ajudaImpressao_ = app.createForm<TFrmAjudaImpressao>();
    FrmAjudaImpressao = ajudaImpressao_.get();
    ajudaTransferencia_ = app.createForm<TFrmAjudaTransferencia>();
    FrmAjudaTransferencia = ajudaTransferencia_.get();
    atualiza_ = app.createForm<TFrmAtualiza>();
    FrmAtualiza = atualiza_.get();
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
