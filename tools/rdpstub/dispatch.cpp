#include "dispatch.h"

#include <oleauto.h>

#include <string>

#include "control.h"
#include "journal.h"
#include "refusal.h"

namespace rdpstub {

namespace {

// A property write must carry exactly one argument named DISPID_PROPERTYPUT.
HRESULT putArgument(WORD flags, DISPPARAMS* params, VARIANT** out) {
  if (!(flags & DISPATCH_PROPERTYPUT) || !params || params->cArgs != 1 || params->cNamedArgs != 1 ||
      params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
    return DISP_E_PARAMNOTFOUND;
  }
  *out = &params->rgvarg[0];
  return S_OK;
}

std::string describe(const VARIANT& v) {
  std::string text = "vt=" + std::to_string(v.vt) + " ";
  switch (v.vt) {
    case VT_BSTR:
      return text + narrow(v.bstrVal);
    case VT_I4:
      return text + std::to_string(v.lVal);
    case VT_BOOL:
      return text + std::to_string(v.boolVal);
    case VT_I2:
      return text + std::to_string(v.iVal);
    default:
      return text + "?";
  }
}

struct Property {
  DISPID id;
  const char* name;
  VARTYPE type;
  std::wstring Settings::*text;
  long Settings::*number;
  VARIANT_BOOL Settings::*flag;
};

const Property kClientProperties[] = {
    {1, "Server", VT_BSTR, &Settings::server, nullptr, nullptr},
    {2, "Domain", VT_BSTR, &Settings::domain, nullptr, nullptr},
    {3, "UserName", VT_BSTR, &Settings::userName, nullptr, nullptr},
    {12, "DesktopWidth", VT_I4, nullptr, &Settings::desktopWidth, nullptr},
    {13, "DesktopHeight", VT_I4, nullptr, &Settings::desktopHeight, nullptr},
    {104, "FullScreen", VT_BOOL, nullptr, nullptr, &Settings::fullScreen},
};
const Property kAdvancedProperties[] = {
    {108, "RDPPort", VT_I4, nullptr, &Settings::rdpPort, nullptr},
    {186, "ClearTextPassword", VT_BSTR, &Settings::password, nullptr, nullptr},
    {191, "RedirectDrives", VT_BOOL, nullptr, nullptr, &Settings::redirectDrives},
    {192, "RedirectPrinters", VT_BOOL, nullptr, nullptr, &Settings::redirectPrinters},
    {193, "RedirectPorts", VT_BOOL, nullptr, nullptr, &Settings::redirectPorts},
};

template <size_t N>
HRESULT invokeProperty(Control& control, const std::string& kind, const Property (&table)[N],
                       DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* info) {
  for (const Property& p : table) {
    if (p.id != id) continue;
    const std::string via = kind + " " + std::to_string(id);
    Settings& s = control.settings;
    if (flags & DISPATCH_PROPERTYPUT) {
      VARIANT* argument = nullptr;
      if (const HRESULT hr = putArgument(flags, params, &argument); FAILED(hr)) return hr;
      journal(via + " put " + p.name + " " + describe(*argument));
      const HRESULT allowed = std::string(p.name) == "FullScreen" ? refuse(p.name, info)
                                                                  : control.writable(p.name, info);
      if (FAILED(allowed)) return allowed;
      VARIANT value;
      VariantInit(&value);
      if (FAILED(VariantChangeType(&value, argument, 0, p.type))) return DISP_E_TYPEMISMATCH;
      if (p.text) s.*p.text = value.bstrVal ? value.bstrVal : L"";
      if (p.number) s.*p.number = value.lVal;
      if (p.flag) s.*p.flag = value.boolVal;
      VariantClear(&value);
      return S_OK;
    }
    journal(via + " get " + p.name);
    if (!result) return S_OK;
    VariantInit(result);
    result->vt = p.type;
    if (p.text) result->bstrVal = SysAllocString((s.*p.text).c_str());
    if (p.number) result->lVal = s.*p.number;
    if (p.flag) result->boolVal = s.*p.flag;
    return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace

HRESULT invokeClient(Control& control, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                     EXCEPINFO* info) {
  switch (id) {
    case 6:
      journal("dispid 6 get Connected " + std::to_string(control.connectedState()));
      if (const HRESULT hr = refuse("Connected", info); FAILED(hr)) return hr;
      if (result) {
        VariantInit(result);
        result->vt = VT_I2;
        result->iVal = control.connectedState();
      }
      return S_OK;
    case 30:
      return control.connectCall("dispid 30", info);
    case 31:
      return control.disconnectCall("dispid 31", info);
    case 98:
    case 101:
      journal("dispid " + std::to_string(id) + " get AdvancedSettings");
      if (result) {
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = reinterpret_cast<IDispatch*>(&control.advanced);
        control.AddRef();
      }
      return S_OK;
    default:
      return invokeProperty(control, "dispid", kClientProperties, id, flags, params, result, info);
  }
}

HRESULT invokeAdvanced(Control& control, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* info) {
  return invokeProperty(control, "advdispid", kAdvancedProperties, id, flags, params, result, info);
}

}  // namespace rdpstub
