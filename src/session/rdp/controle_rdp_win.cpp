#include "session/rdp/controle_rdp_win.h"

#include "session/rdp/erro_ole_win.h"
#include "ui/text_win.h"

namespace orvanta::rdp {

namespace {

UniqueBstr bstr(std::string_view texto) {
  const std::wstring largo = widen(texto);
  UniqueBstr resultado(SysAllocStringLen(largo.data(), static_cast<UINT>(largo.size())));
  if (!resultado) lancaErroSistema(E_OUTOFMEMORY);
  return resultado;
}

VARIANT_BOOL booleano(bool on) {
  return on ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

void ControleRdp::escreve(DISPID id, VARIANT& valor) {
  DISPID nomeado = DISPID_PROPERTYPUT;
  DISPPARAMS parametros = {&valor, &nomeado, 1, 1};
  EXCEPINFO excecao = {};
  const HRESULT hr =
      container_.dispatch().Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                   &parametros, nullptr, &excecao, nullptr);
  if (FAILED(hr)) lancaErroDispatch(hr, excecao);
}

void ControleRdp::escreveTexto(DISPID id, std::string_view texto) {
  const UniqueBstr valor = bstr(texto);
  VARIANT argumento;
  VariantInit(&argumento);
  argumento.vt = VT_BSTR;
  argumento.bstrVal = valor.get();
  escreve(id, argumento);
}

ComPtr<IMsRdpClientAdvancedSettings> ControleRdp::avancadas() {
  ComPtr<IMsRdpClientAdvancedSettings> resultado;
  verificaChamada(container_.cliente().get_AdvancedSettings2(resultado.put()));
  if (!resultado) lancaErroSistema(E_POINTER);
  return resultado;
}

void ControleRdp::escreveInteiro(DISPID id, int32_t numero) {
  VARIANT valor;
  VariantInit(&valor);
  valor.vt = VT_I4;
  valor.lVal = numero;
  escreve(id, valor);
}

void ControleRdp::setUserName(std::string_view userName) {
  escreveTexto(dispid::UserName, userName);
}

void ControleRdp::setServer(std::string_view server) {
  escreveTexto(dispid::Server, server);
}

void ControleRdp::setDesktopWidth(int32_t width) {
  escreveInteiro(dispid::DesktopWidth, width);
}

void ControleRdp::setDesktopHeight(int32_t height) {
  escreveInteiro(dispid::DesktopHeight, height);
}

void ControleRdp::setFullScreen(bool on) {
  VARIANT valor;
  VariantInit(&valor);
  valor.vt = VT_BOOL;
  valor.boolVal = booleano(on);
  escreve(dispid::FullScreen, valor);
}

int16_t ControleRdp::connected() {
  DISPPARAMS semArgumentos = {};
  VARIANT resultado;
  VariantInit(&resultado);
  EXCEPINFO excecao = {};
  const HRESULT hr = container_.dispatch().Invoke(dispid::Connected, IID_NULL, LOCALE_USER_DEFAULT,
                                                  DISPATCH_PROPERTYGET, &semArgumentos, &resultado,
                                                  &excecao, nullptr);
  if (FAILED(hr)) lancaErroDispatch(hr, excecao);
  if (const HRESULT conv = VariantChangeType(&resultado, &resultado, 0, VT_I2); FAILED(conv)) {
    VariantClear(&resultado);
    lancaErroSistema(conv);
  }
  return resultado.iVal;
}

void ControleRdp::setClearTextPassword(std::string_view password) {
  const UniqueBstr valor = bstr(password);
  verificaChamada(avancadas()->put_ClearTextPassword(valor.get()));
}

void ControleRdp::setRdpPort(int32_t port) {
  verificaChamada(avancadas()->put_RDPPort(port));
}

void ControleRdp::setRedirectDrives(bool on) {
  verificaChamada(avancadas()->put_RedirectDrives(booleano(on)));
}

void ControleRdp::setRedirectPrinters(bool on) {
  verificaChamada(avancadas()->put_RedirectPrinters(booleano(on)));
}

void ControleRdp::setRedirectPorts(bool on) {
  verificaChamada(avancadas()->put_RedirectPorts(booleano(on)));
}

void ControleRdp::connect() {
  verificaChamada(container_.cliente().Connect());
}

void ControleRdp::disconnect() {
  verificaChamada(container_.cliente().Disconnect());
}

}  // namespace orvanta::rdp
