#include "service/configuracao_http.h"

namespace orvanta {
namespace {

constexpr const char* kAcceptTexto = "text/html, */*";
constexpr const char* kAcceptExecutavel = "text/html, */*,*.exe";

ConfiguracaoHttp com(const char* accept, bool redirecionar) {
  ConfiguracaoHttp c;
  c.accept = accept;
  c.handleRedirects = redirecionar;
  return c;
}

}  // namespace

ConfiguracaoHttp ConfiguracaoHttp::login() {
  return com(kAcceptTexto, false);
}
ConfiguracaoHttp ConfiguracaoHttp::sessao() {
  return com(kAcceptTexto, true);
}
ConfiguracaoHttp ConfiguracaoHttp::atualizacao() {
  return com(kAcceptExecutavel, false);
}
ConfiguracaoHttp ConfiguracaoHttp::instalador() {
  return com(kAcceptExecutavel, false);
}

}  // namespace orvanta
