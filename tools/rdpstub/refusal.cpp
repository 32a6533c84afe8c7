#include "refusal.h"

#include <oleauto.h>

#include "journal.h"

namespace rdpstub {

HRESULT refuse(const std::string& member, EXCEPINFO* info) {
  if (!refuses(member)) return S_OK;
  const std::wstring text =
      L"The stand-in refused " + std::wstring(member.begin(), member.end()) + L". \r\n";
  if (info) {
    *info = {};
    info->scode = E_FAIL;
    info->bstrSource = SysAllocString(L"rdpstub");
    info->bstrDescription = SysAllocString(text.c_str());
    return DISP_E_EXCEPTION;
  }
  ICreateErrorInfo* create = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&create))) {
    create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
    IErrorInfo* error = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&error)))) {
      SetErrorInfo(0, error);
      error->Release();
    }
    create->Release();
  }
  return E_FAIL;
}

}  // namespace rdpstub
