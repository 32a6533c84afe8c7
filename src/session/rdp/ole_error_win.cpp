#include "session/rdp/ole_error_win.h"

#include <string>

#include "session/ole_error_message.h"
#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta::rdp {

namespace {

std::string bstrText(BSTR text) {
  return text ? narrow(std::wstring_view(text, SysStringLen(text))) : std::string();
}

[[noreturn]] void throwOleError(HRESULT hr, const std::string& description) {
  throw Exception(oleErrorMessage(description, systemErrorText(static_cast<DWORD>(hr)),
                                  static_cast<uint32_t>(hr)),
                  description.empty() ? "EOleSysError" : "EOleException");
}

}  // namespace

void throwDispatchError(HRESULT hr, EXCEPINFO& info) {
  if (hr == DISP_E_EXCEPTION && info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  const std::string description = bstrText(info.bstrDescription);
  const HRESULT code = hr == DISP_E_EXCEPTION && FAILED(info.scode) ? info.scode : hr;
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  info = {};
  throwOleError(code, description);
}

void throwCallError(HRESULT hr) {
  ComPtr<IErrorInfo> error;
  std::string description;
  if (GetErrorInfo(0, error.put()) == S_OK && error) {
    BSTR text = nullptr;
    if (SUCCEEDED(error->GetDescription(&text))) description = bstrText(text);
    SysFreeString(text);
  }
  throwOleError(hr, description);
}

void throwSystemError(HRESULT hr) {
  throwOleError(hr, {});
}

}  // namespace orvanta::rdp
