#include "session/rdp/erro_ole_win.h"

#include <wrl/client.h>

#include <string>

#include "session/mensagem_ole.h"
#include "ui/text_win.h"

namespace orvanta::rdp {

namespace {

std::string textoSistema(HRESULT hr) {
  wchar_t* texto = nullptr;
  const DWORD tamanho = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
  std::string resultado = tamanho ? narrow(std::wstring_view(texto, tamanho)) : std::string();
  if (texto) LocalFree(texto);
  return resultado;
}

std::string textoBstr(BSTR texto) {
  return texto ? narrow(std::wstring_view(texto, SysStringLen(texto))) : std::string();
}

[[noreturn]] void lanca(HRESULT hr, const std::string& descricao) {
  throw Excecao(mensagemErroOle(descricao, textoSistema(hr), static_cast<uint32_t>(hr)),
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
  Microsoft::WRL::ComPtr<IErrorInfo> erro;
  std::string descricao;
  if (GetErrorInfo(0, &erro) == S_OK && erro) {
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
