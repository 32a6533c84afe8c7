#include "ui/ole_win.h"

#include "ui/text_win.h"

namespace orvanta {

std::string textoErroSistema(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", n);
  LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  if (text.empty()) {
    // Some systems carry no text for the commonest COM failures.
    switch (hr) {
      case REGDB_E_CLASSNOTREG:
        return "Class not registered";
      case CO_E_NOTINITIALIZED:
        return "CoInitialize has not been called";
      case E_NOINTERFACE:
        return "No such interface supported";
      default:
        break;
    }
    char code[32];
    wsprintfA(code, "OLE error %08X", static_cast<unsigned>(hr));
    return code;
  }
  return narrow(text);
}

ErroOle::ErroOle(HRESULT hr) : Excecao(textoErroSistema(hr), "EOleSysError"), hr_(hr) {}

OleSession::OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession() {
  if (initialised_) OleUninitialize();
}

ComPtr<IUnknown> criarObjetoCom(const CLSID& clsid) {
  ComPtr<IUnknown> object;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IUnknown, object.putVoid());
  if (FAILED(hr)) throw ErroOle(hr);
  return object;
}

}  // namespace orvanta
