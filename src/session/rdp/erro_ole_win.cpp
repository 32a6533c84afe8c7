#include "session/rdp/erro_ole_win.h"

#include <string>

#include "session/mensagem_ole.h"
#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta::rdp {

namespace {

std::string textoBstr(BSTR texto) {
  return texto ? narrow(std::wstring_view(texto, SysStringLen(texto))) : std::string();
}

[[noreturn]] void lanca(HRESULT hr, const std::string& descricao) {
  throw Excecao(mensagemErroOle(descricao, systemErrorText(static_cast<DWORD>(hr)),
                                static_cast<uint32_t>(hr)),
                descricao.empty() ? "EOleSysError" : "EOleException");
}

}  // namespace

void lancaErroDispatch(HRESULT hr, EXCEPINFO& info) {
  if (hr == DISP_E_EXCEPTION && info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  const std::string descricao = textoBstr(info.bstrDescription);
  const HRESULT codigo = hr == DISP_E_EXCEPTION && FAILED(info.scode) ? info.scode : hr;
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  info = {};
  lanca(codigo, descricao);
}

void lancaErroChamada(HRESULT hr) {
  ComPtr<IErrorInfo> erro;
  std::string descricao;
  if (GetErrorInfo(0, erro.put()) == S_OK && erro) {
    BSTR texto = nullptr;
    if (SUCCEEDED(erro->GetDescription(&texto))) descricao = textoBstr(texto);
    SysFreeString(texto);
  }
  lanca(hr, descricao);
}

void lancaErroSistema(HRESULT hr) {
  lanca(hr, {});
}

}  // namespace orvanta::rdp
