// Property slots of the two faces: each call is journaled under the slot it came through, and
// a write obeys the control's rules for writing.
#pragma once

#include <oleauto.h>

#include <string>

#include "control.h"
#include "journal.h"

namespace rdpstub {

inline HRESULT putText(const std::string& via, const char* name, std::wstring& field, BSTR value,
                       EXCEPINFO* info, Control* control) {
  journal(via + " put " + name + " " + narrow(value));
  if (const HRESULT hr = control->writable(name, info); FAILED(hr)) return hr;
  field = value ? value : L"";
  return S_OK;
}

template <typename T>
HRESULT putNumber(const std::string& via, const char* name, T& field, T value, EXCEPINFO* info,
                  Control* control) {
  journal(via + " put " + name + " " + std::to_string(value));
  if (const HRESULT hr = control->writable(name, info); FAILED(hr)) return hr;
  field = value;
  return S_OK;
}

inline HRESULT getText(const std::string& via, const char* name, const std::wstring& field,
                       BSTR* out) {
  journal(via + " get " + name);
  *out = SysAllocString(field.c_str());
  return S_OK;
}

template <typename T>
HRESULT getNumber(const std::string& via, const char* name, T field, T* out) {
  journal(via + " get " + name + " " + std::to_string(field));
  *out = field;
  return S_OK;
}

}  // namespace rdpstub
