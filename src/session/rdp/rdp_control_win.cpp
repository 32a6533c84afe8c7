#include "session/rdp/rdp_control_win.h"

#include "session/rdp/ole_error_win.h"
#include "ui/text_win.h"

namespace orvanta::rdp {

namespace {

UniqueBstr bstr(std::string_view text) {
  const std::wstring wide = widen(text);
  UniqueBstr result(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
  if (!result) throwSystemError(E_OUTOFMEMORY);
  return result;
}

VARIANT_BOOL variantBool(bool on) {
  return on ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

void RdpControl::putProperty(DISPID id, VARIANT& value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &named, 1, 1};
  EXCEPINFO exceptionInfo = {};
  const HRESULT hr =
      container_.dispatch().Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                                   nullptr, &exceptionInfo, nullptr);
  if (FAILED(hr)) throwDispatchError(hr, exceptionInfo);
}

void RdpControl::putText(DISPID id, std::string_view text) {
  const UniqueBstr value = bstr(text);
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = value.get();
  putProperty(id, argument);
}

ComPtr<IMsRdpClientAdvancedSettings> RdpControl::advancedSettings() {
  ComPtr<IMsRdpClientAdvancedSettings> result;
  checkCall(container_.client().get_AdvancedSettings2(result.put()));
  if (!result) throwSystemError(E_POINTER);
  return result;
}

void RdpControl::putInteger(DISPID id, int32_t number) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_I4;
  value.lVal = number;
  putProperty(id, value);
}

void RdpControl::setUserName(std::string_view userName) {
  putText(dispid::UserName, userName);
}

void RdpControl::setServer(std::string_view server) {
  putText(dispid::Server, server);
}

void RdpControl::setDesktopWidth(int32_t width) {
  putInteger(dispid::DesktopWidth, width);
}

void RdpControl::setDesktopHeight(int32_t height) {
  putInteger(dispid::DesktopHeight, height);
}

void RdpControl::setFullScreen(bool on) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BOOL;
  value.boolVal = variantBool(on);
  putProperty(dispid::FullScreen, value);
}

int16_t RdpControl::connected() {
  DISPPARAMS noArguments = {};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exceptionInfo = {};
  const HRESULT hr = container_.dispatch().Invoke(dispid::Connected, IID_NULL, LOCALE_USER_DEFAULT,
                                                  DISPATCH_PROPERTYGET, &noArguments, &result,
                                                  &exceptionInfo, nullptr);
  if (FAILED(hr)) throwDispatchError(hr, exceptionInfo);
  if (const HRESULT conv = VariantChangeType(&result, &result, 0, VT_I2); FAILED(conv)) {
    VariantClear(&result);
    throwSystemError(conv);
  }
  return result.iVal;
}

void RdpControl::setClearTextPassword(std::string_view password) {
  const UniqueBstr value = bstr(password);
  checkCall(advancedSettings()->put_ClearTextPassword(value.get()));
}

void RdpControl::setRdpPort(int32_t port) {
  checkCall(advancedSettings()->put_RDPPort(port));
}

void RdpControl::setRedirectDrives(bool on) {
  checkCall(advancedSettings()->put_RedirectDrives(variantBool(on)));
}

void RdpControl::setRedirectPrinters(bool on) {
  checkCall(advancedSettings()->put_RedirectPrinters(variantBool(on)));
}

void RdpControl::setRedirectPorts(bool on) {
  checkCall(advancedSettings()->put_RedirectPorts(variantBool(on)));
}

void RdpControl::connect() {
  checkCall(container_.client().Connect());
}

void RdpControl::disconnect() {
  checkCall(container_.client().Disconnect());
}

}  // namespace orvanta::rdp
