#include "session/rdp/sessao_rdp_win.h"

namespace orvanta::rdp {

namespace {

int32_t primeiroInteiro(const DISPPARAMS& p) {
  if (p.cArgs < 1) return 0;
  VARIANT valor;
  VariantInit(&valor);
  // Arguments arrive in reverse order: the first one is the last in rgvarg.
  if (FAILED(VariantChangeType(&valor, &p.rgvarg[p.cArgs - 1], 0, VT_I4))) return 0;
  return valor.lVal;
}

}  // namespace

SessaoRdpWin::SessaoRdpWin(HWND janela, ComPtr<IUnknown> controle, JanelaSessao& janelaSessao,
                           AlertaStatus& statusAlert, Timer& checaImpressao, Shell& shell,
                           std::string hostSite)
    : container_(janela, std::move(controle),
                 [this](DISPID id, const DISPPARAMS& p) {
                   sessao_.eventoControle(id, primeiroInteiro(p));
                 }),
      controle_(container_),
      sessao_({controle_, registro_, janelaSessao, statusAlert, checaImpressao, shell,
               std::move(hostSite)}) {}

void SessaoRdpWin::posiciona(const RECT& area) {
  if (container_.ativo()) {
    container_.posiciona(area);
  } else {
    container_.ativa(area);
  }
}

}  // namespace orvanta::rdp
