// In-process server entry points: class factory and self-registration.
#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <string>

#include "control.h"

namespace rdpstub {

HMODULE thisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&thisModule), &module);
  return module;
}

}  // namespace rdpstub

namespace {

class Factory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is static: it lives as long as the module.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return rdpstub::createControl(riid, out);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

std::wstring clsidKey() {
  wchar_t text[64] = {};
  StringFromGUID2(rdpstub::kClsid, text, 64);
  return std::wstring(L"CLSID\\") + text;
}

LSTATUS setString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  static Factory factory;
  if (clsid != rdpstub::kClsid) {
    *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  return factory.QueryInterface(riid, out);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() {
  // The window class registered by the control points into this module: stay loaded.
  return S_FALSE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(rdpstub::thisModule(), path, MAX_PATH);
  HKEY key = nullptr;
  const std::wstring server = clsidKey() + L"\\InprocServer32";
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, server.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return SELFREG_E_CLASS;
  }
  const bool ok = setString(key, nullptr, path) == ERROR_SUCCESS &&
                  setString(key, L"ThreadingModel", L"Apartment") == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, clsidKey().c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
