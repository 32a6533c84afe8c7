#include "control.h"

#include <array>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include <windowsx.h>

#include "bridge_link.h"
#include "journal.h"
#include "tcp_link.h"

namespace rdpstub {

const CLSID kClsid = {0xA9D7038D, 0xB5ED, 0x472E, {0x9C, 0x47, 0x94, 0xBE, 0xA9, 0x0A, 0x59, 0x10}};

namespace {

// {B2A5B5CE-...} IMsRdpClient7 and the interfaces it derives from, all served by one face.
const IID kClientIids[] = {
    {0xB2A5B5CE, 0x3461, 0x444A, {0x91, 0xD4, 0xAD, 0xD2, 0x6D, 0x07, 0x06, 0x38}},
    {0xD43B7D80, 0x8517, 0x4B6D, {0x9E, 0xAC, 0x96, 0xAD, 0x68, 0x00, 0xD7, 0xF2}},
    {0x4EB5335B, 0x6429, 0x477D, {0xB9, 0x22, 0xE0, 0x6A, 0x28, 0xEC, 0xD8, 0xBF}},
    {0x095E0738, 0xD97D, 0x488B, {0xB9, 0x20, 0xDD, 0x0E, 0x8D, 0x66, 0xC0, 0xDE}},
    {0x91B7CBC5, 0xA72E, 0x4FA0, {0x93, 0x00, 0xD6, 0x47, 0xD7, 0xE8, 0x97, 0xFF}},
    {0xE7E17DC4, 0x3B71, 0x4BA7, {0xA8, 0xE6, 0x28, 0x1F, 0xFA, 0xDC, 0xA2, 0x8F}},
    {0x92B4A539, 0x7115, 0x4B7C, {0xA5, 0xA9, 0xE5, 0xD9, 0xEF, 0xC2, 0x78, 0x0A}},
    {0x8C11EFAE, 0x92C3, 0x11D1, {0xBC, 0x1E, 0x00, 0xC0, 0x4F, 0xA3, 0x14, 0x89}},
    {0x327BB5CD, 0x834E, 0x4400, {0xAE, 0xF2, 0xB3, 0x0E, 0x15, 0xE5, 0xD6, 0x82}},
};
const IID kAdvancedIids[] = {
    {0x3C65B4AB, 0x12B3, 0x465B, {0xAC, 0xD4, 0xB8, 0xDA, 0xD3, 0xBF, 0xF9, 0xE2}},
    {0x809945CC, 0x4B3B, 0x4A92, {0xA6, 0xB0, 0xDB, 0xF9, 0xB5, 0xF2, 0xEF, 0x2D}},
};
const IID kEventsIid = {
    0x336D5562, 0xEFA8, 0x482E, {0x8C, 0xB3, 0xC5, 0xC0, 0xFC, 0x7A, 0x7D, 0xB6}};

template <size_t N>
bool oneOf(REFIID riid, const IID (&iids)[N]) {
  for (const IID& iid : iids) {
    if (riid == iid) return true;
  }
  return false;
}

std::string hex(const BYTE* data, size_t size) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    if (i) out += ' ';
    out += digits[data[i] >> 4];
    out += digits[data[i] & 15];
  }
  return out;
}

class Control;

// A dual interface laid out by slot number, independent of any C++ declaration, so that the
// slot a caller came through is the slot recorded.
struct Face {
  const void* const* vtbl;
  Control* owner;
};

// Values stored on the control, written through either the dispatch ids or the slots.
struct Settings {
  std::wstring server, domain, userName, password;
  long desktopWidth = 0, desktopHeight = 0, rdpPort = 3389;
  VARIANT_BOOL fullScreen = 0, redirectDrives = 0, redirectPrinters = 0, redirectPorts = 0;
};

const wchar_t kWindowClass[] = L"OrvantaRdpStubSession";

class EventPoint;

class Control final : public IOleObject,
                      public IOleInPlaceObject,
                      public IOleControl,
                      public IPersistStreamInit,
                      public IConnectionPointContainer {
 public:
  Control();
  ~Control();

  Face client{nullptr, this};
  Face advanced{nullptr, this};
  Settings settings;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

  // The members reached through the client and advanced-settings faces.
  HRESULT refuse(const std::string& member, EXCEPINFO* info);
  HRESULT writable(const std::string& member, EXCEPINFO* info);
  HRESULT connectCall(const std::string& via, EXCEPINFO* info);
  HRESULT disconnectCall(const std::string& via, EXCEPINFO* info);
  short connectedState() const { return state_; }
  void fire(DISPID id, const char* name, const long* reason = nullptr);
  LRESULT windowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HRESULT invokeClient(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info);
  HRESULT invokeAdvanced(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* info);

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD option) override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                      LPCRECT rect) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* clsid) override {
    *clsid = kClsid;
    return S_OK;
  }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
  STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
  STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_RECOMPOSEONRESIZE |
              OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow / IOleInPlaceObject
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) override {
    info->cAccel = 0;
    info->hAccel = nullptr;
    info->dwFlags = 0;
    return S_OK;
  }
  STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
  STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

  // IPersistStreamInit
  STDMETHODIMP GetClassID(CLSID* clsid) override {
    *clsid = kClsid;
    return S_OK;
  }
  STDMETHODIMP IsDirty() override { return S_FALSE; }
  STDMETHODIMP Load(LPSTREAM stream) override;
  STDMETHODIMP Save(LPSTREAM, BOOL) override {
    journal("save");
    return S_OK;
  }
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override {
    size->QuadPart = 20;
    return S_OK;
  }
  STDMETHODIMP InitNew() override {
    journal("initnew");
    return S_OK;
  }

  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

  HRESULT adviseSink(IUnknown* sink, DWORD* cookie);
  HRESULT unadviseSink(DWORD cookie);

 private:
  void paint(HWND window);
  void endLink();

  LONG refs_ = 1;
  IOleClientSite* site_ = nullptr;
  IOleInPlaceSite* inPlaceSite_ = nullptr;
  IDispatch* sink_ = nullptr;
  HWND window_ = nullptr;
  HWND notify_ = nullptr;
  short state_ = 0;
  std::unique_ptr<Link> link_;
  std::unique_ptr<EventPoint> point_;
};

// The one event source, IMsTscAxEvents; shares the control's lifetime.
class EventPoint final : public IConnectionPoint {
 public:
  explicit EventPoint(Control* control) : control_(control) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
      *out = static_cast<IConnectionPoint*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetConnectionInterface(IID* iid) override {
    *iid = kEventsIid;
    return S_OK;
  }
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  Control* control_;
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return control ? control->windowMessage(window, message, wParam, lParam)
                 : DefWindowProcW(window, message, wParam, lParam);
}

void registerWindowClass() {
  static const bool registered = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = thisModule();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

// ---- the IMsRdpClient7 face: slots 0-6 IDispatch, then the control's own members ----

Control* owner(Face* face) {
  return face->owner;
}

HRESULT __stdcall clientQueryInterface(Face* f, REFIID riid, void** out) {
  return owner(f)->QueryInterface(riid, out);
}
ULONG __stdcall faceAddRef(Face* f) {
  return owner(f)->AddRef();
}
ULONG __stdcall faceRelease(Face* f) {
  return owner(f)->Release();
}
HRESULT __stdcall faceTypeInfoCount(Face*, UINT* count) {
  *count = 0;
  return S_OK;
}
HRESULT __stdcall faceTypeInfo(Face*, UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}
HRESULT __stdcall faceIdsOfNames(Face*, REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}
HRESULT __stdcall clientInvoke(Face* f, DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* info, UINT*) {
  return owner(f)->invokeClient(id, flags, params, result, info);
}

// Slots the program never uses still exist, record the call and answer E_NOTIMPL.
template <int Slot>
HRESULT __stdcall clientUnused(Face*) {
  journal("slot " + std::to_string(Slot) + " unused");
  return E_NOTIMPL;
}
template <int Slot>
HRESULT __stdcall advancedUnused(Face*) {
  journal("advslot " + std::to_string(Slot) + " unused");
  return E_NOTIMPL;
}

HRESULT putText(const std::string& via, const char* name, std::wstring& field, BSTR value,
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
HRESULT getText(const std::string& via, const char* name, const std::wstring& field, BSTR* out) {
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

HRESULT __stdcall putServer(Face* f, BSTR v) {
  return putText("slot 7", "Server", owner(f)->settings.server, v, nullptr, owner(f));
}
HRESULT __stdcall getServer(Face* f, BSTR* v) {
  return getText("slot 8", "Server", owner(f)->settings.server, v);
}
HRESULT __stdcall putDomain(Face* f, BSTR v) {
  return putText("slot 9", "Domain", owner(f)->settings.domain, v, nullptr, owner(f));
}
HRESULT __stdcall getDomain(Face* f, BSTR* v) {
  return getText("slot 10", "Domain", owner(f)->settings.domain, v);
}
HRESULT __stdcall putUserName(Face* f, BSTR v) {
  return putText("slot 11", "UserName", owner(f)->settings.userName, v, nullptr, owner(f));
}
HRESULT __stdcall getUserName(Face* f, BSTR* v) {
  return getText("slot 12", "UserName", owner(f)->settings.userName, v);
}
HRESULT __stdcall getConnected(Face* f, short* v) {
  journal("slot 17 get Connected " + std::to_string(owner(f)->connectedState()));
  if (const HRESULT hr = owner(f)->refuse("Connected", nullptr); FAILED(hr)) return hr;
  *v = owner(f)->connectedState();
  return S_OK;
}
HRESULT __stdcall putDesktopWidth(Face* f, long v) {
  return putNumber("slot 18", "DesktopWidth", owner(f)->settings.desktopWidth, v, nullptr,
                   owner(f));
}
HRESULT __stdcall getDesktopWidth(Face* f, long* v) {
  return getNumber("slot 19", "DesktopWidth", owner(f)->settings.desktopWidth, v);
}
HRESULT __stdcall putDesktopHeight(Face* f, long v) {
  return putNumber("slot 20", "DesktopHeight", owner(f)->settings.desktopHeight, v, nullptr,
                   owner(f));
}
HRESULT __stdcall getDesktopHeight(Face* f, long* v) {
  return getNumber("slot 21", "DesktopHeight", owner(f)->settings.desktopHeight, v);
}
HRESULT __stdcall connectSlot(Face* f) {
  return owner(f)->connectCall("slot 33", nullptr);
}
HRESULT __stdcall disconnectSlot(Face* f) {
  return owner(f)->disconnectCall("slot 34", nullptr);
}
HRESULT __stdcall getAdvancedSettings2(Face* f, IDispatch** out) {
  journal("slot 39 get AdvancedSettings2");
  if (const HRESULT hr = owner(f)->refuse("AdvancedSettings2", nullptr); FAILED(hr)) return hr;
  *out = reinterpret_cast<IDispatch*>(&owner(f)->advanced);
  owner(f)->AddRef();
  return S_OK;
}
HRESULT __stdcall putFullScreen(Face* f, VARIANT_BOOL v) {
  journal("slot 42 put FullScreen " + std::to_string(v));
  if (const HRESULT hr = owner(f)->refuse("FullScreen", nullptr); FAILED(hr)) return hr;
  owner(f)->settings.fullScreen = v;
  return S_OK;
}
HRESULT __stdcall getFullScreen(Face* f, VARIANT_BOOL* v) {
  return getNumber("slot 43", "FullScreen", owner(f)->settings.fullScreen, v);
}

// ---- the IMsRdpClientAdvancedSettings face ----

HRESULT __stdcall advancedQueryInterface(Face* f, REFIID riid, void** out) {
  if (riid == IID_IUnknown || riid == IID_IDispatch || oneOf(riid, kAdvancedIids)) {
    *out = f;
    owner(f)->AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
HRESULT __stdcall advancedInvoke(Face* f, DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* info, UINT*) {
  return owner(f)->invokeAdvanced(id, flags, params, result, info);
}
HRESULT __stdcall putRdpPort(Face* f, long v) {
  return putNumber("advslot 35", "RDPPort", owner(f)->settings.rdpPort, v, nullptr, owner(f));
}
HRESULT __stdcall getRdpPort(Face* f, long* v) {
  return getNumber("advslot 36", "RDPPort", owner(f)->settings.rdpPort, v);
}
HRESULT __stdcall putClearTextPassword(Face* f, BSTR v) {
  return putText("advslot 112", "ClearTextPassword", owner(f)->settings.password, v, nullptr,
                 owner(f));
}
template <int Slot, VARIANT_BOOL Settings::*Field>
HRESULT __stdcall putFlag(Face* f, VARIANT_BOOL v) {
  static const char* const names[] = {"RedirectDrives", "RedirectPrinters", "RedirectPorts"};
  return putNumber("advslot " + std::to_string(Slot), names[(Slot - 121) / 2],
                   owner(f)->settings.*Field, v, nullptr, owner(f));
}
template <int Slot, VARIANT_BOOL Settings::*Field>
HRESULT __stdcall getFlag(Face* f, VARIANT_BOOL* v) {
  static const char* const names[] = {"RedirectDrives", "RedirectPrinters", "RedirectPorts"};
  return getNumber("advslot " + std::to_string(Slot), names[(Slot - 122) / 2],
                   owner(f)->settings.*Field, v);
}

template <typename F>
const void* entry(F function) {
  return reinterpret_cast<const void*>(function);
}

template <size_t N, template <int> class Unused, size_t... I>
std::array<const void*, N> unusedTable(std::index_sequence<I...>) {
  return {entry(&Unused<static_cast<int>(I)>::call)...};
}
template <int Slot>
struct ClientUnused {
  static HRESULT __stdcall call(Face* f) { return clientUnused<Slot>(f); }
};
template <int Slot>
struct AdvancedUnused {
  static HRESULT __stdcall call(Face* f) { return advancedUnused<Slot>(f); }
};

const void* const* clientTable() {
  static const auto table = [] {
    auto t = unusedTable<64, ClientUnused>(std::make_index_sequence<64>());
    t[0] = entry(clientQueryInterface);
    t[1] = entry(faceAddRef);
    t[2] = entry(faceRelease);
    t[3] = entry(faceTypeInfoCount);
    t[4] = entry(faceTypeInfo);
    t[5] = entry(faceIdsOfNames);
    t[6] = entry(clientInvoke);
    t[7] = entry(putServer);
    t[8] = entry(getServer);
    t[9] = entry(putDomain);
    t[10] = entry(getDomain);
    t[11] = entry(putUserName);
    t[12] = entry(getUserName);
    t[17] = entry(getConnected);
    t[18] = entry(putDesktopWidth);
    t[19] = entry(getDesktopWidth);
    t[20] = entry(putDesktopHeight);
    t[21] = entry(getDesktopHeight);
    t[33] = entry(connectSlot);
    t[34] = entry(disconnectSlot);
    t[39] = entry(getAdvancedSettings2);
    t[42] = entry(putFullScreen);
    t[43] = entry(getFullScreen);
    return t;
  }();
  return table.data();
}

const void* const* advancedTable() {
  static const auto table = [] {
    auto t = unusedTable<138, AdvancedUnused>(std::make_index_sequence<138>());
    t[0] = entry(advancedQueryInterface);
    t[1] = entry(faceAddRef);
    t[2] = entry(faceRelease);
    t[3] = entry(faceTypeInfoCount);
    t[4] = entry(faceTypeInfo);
    t[5] = entry(faceIdsOfNames);
    t[6] = entry(advancedInvoke);
    t[35] = entry(putRdpPort);
    t[36] = entry(getRdpPort);
    t[112] = entry(putClearTextPassword);
    t[121] = entry(putFlag<121, &Settings::redirectDrives>);
    t[122] = entry(getFlag<122, &Settings::redirectDrives>);
    t[123] = entry(putFlag<123, &Settings::redirectPrinters>);
    t[124] = entry(getFlag<124, &Settings::redirectPrinters>);
    t[125] = entry(putFlag<125, &Settings::redirectPorts>);
    t[126] = entry(getFlag<126, &Settings::redirectPorts>);
    return t;
  }();
  return table.data();
}

// ---- dispatch ----

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
HRESULT invokeProperty(Control* control, const std::string& kind, const Property (&table)[N],
                       DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* info) {
  for (const Property& p : table) {
    if (p.id != id) continue;
    const std::string via = kind + " " + std::to_string(id);
    Settings& s = control->settings;
    if (flags & DISPATCH_PROPERTYPUT) {
      VARIANT* argument = nullptr;
      if (const HRESULT hr = putArgument(flags, params, &argument); FAILED(hr)) return hr;
      journal(via + " put " + p.name + " " + describe(*argument));
      const HRESULT allowed = std::string(p.name) == "FullScreen" ? control->refuse(p.name, info)
                                                                  : control->writable(p.name, info);
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

// What the bridge needs to start the session, from the values written to the control.
rdpbridge::ConnectRequest connectRequest(const Settings& s) {
  rdpbridge::ConnectRequest r;
  r.server = narrow(s.server.c_str());
  r.domain = narrow(s.domain.c_str());
  r.userName = narrow(s.userName.c_str());
  r.password = narrow(s.password.c_str());
  r.port = static_cast<uint32_t>(s.rdpPort);
  // A control that was given no size asks for the platform control's own default.
  r.width = s.desktopWidth > 0 ? static_cast<uint32_t>(s.desktopWidth) : 1024;
  r.height = s.desktopHeight > 0 ? static_cast<uint32_t>(s.desktopHeight) : 768;
  r.redirections = (s.redirectDrives ? rdpbridge::kRedirectDrives : 0) |
                   (s.redirectPrinters ? rdpbridge::kRedirectPrinters : 0) |
                   (s.redirectPorts ? rdpbridge::kRedirectPorts : 0);
  return r;
}

// The protocol's pointer event flags for a mouse message; 0 for any other message.
unsigned pointerFlags(UINT message, WPARAM wParam) {
  constexpr unsigned kMove = 0x0800, kDown = 0x8000, kButton1 = 0x1000, kButton2 = 0x2000,
                     kButton3 = 0x4000, kWheel = 0x0200, kWheelNegative = 0x0100;
  switch (message) {
    case WM_MOUSEMOVE:
      return kMove;
    case WM_LBUTTONDOWN:
      return kDown | kButton1;
    case WM_LBUTTONUP:
      return kButton1;
    case WM_RBUTTONDOWN:
      return kDown | kButton2;
    case WM_RBUTTONUP:
      return kButton2;
    case WM_MBUTTONDOWN:
      return kDown | kButton3;
    case WM_MBUTTONUP:
      return kButton3;
    case WM_MOUSEWHEEL: {
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      return kWheel | (delta < 0 ? kWheelNegative | ((-delta) & 0xFF) : (delta & 0xFF));
    }
    default:
      return 0;
  }
}

// Virtual keys that only extended keys produce when a message names no key position: the
// arrows and the editing block, not the numeric pad's keys of the same scan codes.
bool extendedOnly(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_SNAPSHOT:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_RCONTROL:
    case VK_RMENU:
      return true;
    default:
      return false;
  }
}

// The set 1 scan code of a key message, bit 8 for an extended key, as the server wants it.
// Key messages sent straight to the window may come without one: the virtual key's own
// stands in (Wine maps an arrow to the numeric pad's code without its extended prefix).
unsigned scanCodeOf(WPARAM virtualKey, LPARAM lParam) {
  const unsigned scanCode = (static_cast<unsigned>(lParam) >> 16) & 0xFF;
  if (scanCode != 0) return scanCode | ((lParam & (1 << 24)) ? 0x100 : 0);
  const UINT mapped = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC_EX);
  const bool extended = (mapped >> 8) == 0xE0 || extendedOnly(virtualKey);
  return (mapped & 0xFF) | (extended ? 0x100 : 0);
}

// ---- Control ----

Control::Control() : point_(std::make_unique<EventPoint>(this)) {
  client.vtbl = clientTable();
  advanced.vtbl = advancedTable();
  registerWindowClass();
  notify_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            thisModule(), this);
  journal("create");
}

Control::~Control() {
  endLink();
  if (window_) DestroyWindow(window_);
  if (notify_) DestroyWindow(notify_);
  if (sink_) sink_->Release();
  if (inPlaceSite_) inPlaceSite_->Release();
  if (site_) site_->Release();
  journal("destroy");
}

HRESULT Control::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch || oneOf(riid, kClientIids)) {
    *out = &client;
  } else if (riid == IID_IOleObject) {
    *out = static_cast<IOleObject*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) {
    *out = static_cast<IOleInPlaceObject*>(this);
  } else if (riid == IID_IOleControl) {
    *out = static_cast<IOleControl*>(this);
  } else if (riid == IID_IPersistStreamInit || riid == IID_IPersist) {
    *out = static_cast<IPersistStreamInit*>(this);
  } else if (riid == IID_IConnectionPointContainer) {
    *out = static_cast<IConnectionPointContainer*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT Control::refuse(const std::string& member, EXCEPINFO* info) {
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

// Settings cannot change while a connection is up or being made.
HRESULT Control::writable(const std::string& member, EXCEPINFO* info) {
  if (const HRESULT hr = refuse(member, info); FAILED(hr)) return hr;
  return state_ == 0 ? S_OK : E_UNEXPECTED;
}

HRESULT Control::connectCall(const std::string& via, EXCEPINFO* info) {
  journal(via + " Connect");
  if (const HRESULT hr = refuse("Connect", info); FAILED(hr)) return hr;
  if (state_ != 0) return E_FAIL;
  link_.reset();
  state_ = 2;
  fire(1, "OnConnecting");
  const std::string bridge = bridgeAddress();
  if (bridge.empty()) {
    link_ = std::make_unique<TcpLink>(notify_, narrow(settings.server.c_str()),
                                      std::to_string(settings.rdpPort), connectDelayMs());
  } else {
    link_ = std::make_unique<BridgeLink>(notify_, bridge, connectRequest(settings));
  }
  if (window_) InvalidateRect(window_, nullptr, TRUE);
  return S_OK;
}

HRESULT Control::disconnectCall(const std::string& via, EXCEPINFO* info) {
  journal(via + " Disconnect");
  if (const HRESULT hr = refuse("Disconnect", info); FAILED(hr)) return hr;
  if (link_) link_->close();
  return S_OK;
}

void Control::endLink() {
  link_.reset();
  state_ = 0;
}

void Control::fire(DISPID id, const char* name, const long* reason) {
  journal("event " + std::to_string(id) + " " + name +
          (reason ? " " + std::to_string(*reason) : std::string()));
  if (!sink_) return;
  VARIANT argument;
  VariantInit(&argument);
  DISPPARAMS params = {};
  if (reason) {
    argument.vt = VT_I4;
    argument.lVal = *reason;
    params.rgvarg = &argument;
    params.cArgs = 1;
  }
  IDispatch* sink = sink_;
  sink->AddRef();
  sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
               nullptr);
  sink->Release();
}

HRESULT Control::invokeClient(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* info) {
  switch (id) {
    case 6:
      journal("dispid 6 get Connected " + std::to_string(state_));
      if (const HRESULT hr = refuse("Connected", info); FAILED(hr)) return hr;
      if (result) {
        VariantInit(result);
        result->vt = VT_I2;
        result->iVal = state_;
      }
      return S_OK;
    case 30:
      return connectCall("dispid 30", info);
    case 31:
      return disconnectCall("dispid 31", info);
    case 98:
    case 101:
      journal("dispid " + std::to_string(id) + " get AdvancedSettings");
      if (result) {
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = reinterpret_cast<IDispatch*>(&advanced);
        AddRef();
      }
      return S_OK;
    default:
      return invokeProperty(this, "dispid", kClientProperties, id, flags, params, result, info);
  }
}

HRESULT Control::invokeAdvanced(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO* info) {
  return invokeProperty(this, "advdispid", kAdvancedProperties, id, flags, params, result, info);
}

HRESULT Control::SetClientSite(IOleClientSite* site) {
  journal(site ? "setclientsite" : "setclientsite null");
  if (site) site->AddRef();
  if (site_) site_->Release();
  site_ = site;
  return S_OK;
}

HRESULT Control::GetClientSite(IOleClientSite** site) {
  *site = site_;
  if (site_) site_->AddRef();
  return S_OK;
}

HRESULT Control::Close(DWORD option) {
  journal("close " + std::to_string(option));
  endLink();
  InPlaceDeactivate();
  return S_OK;
}

HRESULT Control::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) {
  journal("doverb " + std::to_string(verb));
  if (refuses("activate")) return E_FAIL;
  if (window_) return S_OK;
  IOleClientSite* clientSite = site ? site : site_;
  if (!clientSite || FAILED(clientSite->QueryInterface(IID_IOleInPlaceSite,
                                                       reinterpret_cast<void**>(&inPlaceSite_)))) {
    return E_UNEXPECTED;
  }
  if (inPlaceSite_->CanInPlaceActivate() != S_OK) return E_FAIL;
  inPlaceSite_->OnInPlaceActivate();
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = nullptr;
  RECT position = rect ? *rect : RECT{};
  RECT clip = position;
  OLEINPLACEFRAMEINFO frameInfo = {};
  frameInfo.cb = sizeof frameInfo;
  if (SUCCEEDED(inPlaceSite_->GetWindowContext(&frame, &document, &position, &clip, &frameInfo))) {
    if (frame) frame->Release();
    if (document) document->Release();
  }
  HWND host = parent;
  if (!host) inPlaceSite_->GetWindow(&host);
  window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                            position.left, position.top, position.right - position.left,
                            position.bottom - position.top, host, nullptr, thisModule(), this);
  return window_ ? S_OK : E_FAIL;
}

HRESULT Control::GetWindow(HWND* window) {
  if (refuses("hwnd")) return E_FAIL;
  *window = window_;
  return window_ ? S_OK : E_FAIL;
}

HRESULT Control::InPlaceDeactivate() {
  if (!window_) return S_OK;
  DestroyWindow(window_);
  window_ = nullptr;
  if (inPlaceSite_) {
    inPlaceSite_->OnInPlaceDeactivate();
    inPlaceSite_->Release();
    inPlaceSite_ = nullptr;
  }
  return S_OK;
}

HRESULT Control::SetObjectRects(LPCRECT position, LPCRECT) {
  journal("rects " + std::to_string(position->left) + " " + std::to_string(position->top) + " " +
          std::to_string(position->right - position->left) + " " +
          std::to_string(position->bottom - position->top));
  if (window_) {
    MoveWindow(window_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  }
  return S_OK;
}

HRESULT Control::Load(LPSTREAM stream) {
  BYTE data[64] = {};
  ULONG read = 0;
  stream->Read(data, sizeof data, &read);
  journal("load " + hex(data, read));
  return S_OK;
}

HRESULT Control::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
  *point = nullptr;
  if (riid != kEventsIid) return CONNECT_E_NOCONNECTION;
  *point = point_.get();
  AddRef();
  return S_OK;
}

ULONG EventPoint::AddRef() {
  return control_->AddRef();
}
ULONG EventPoint::Release() {
  return control_->Release();
}
HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  return control_->QueryInterface(IID_IConnectionPointContainer,
                                  reinterpret_cast<void**>(container));
}
HRESULT EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
  return control_->adviseSink(sink, cookie);
}
HRESULT EventPoint::Unadvise(DWORD cookie) {
  return control_->unadviseSink(cookie);
}

HRESULT Control::adviseSink(IUnknown* sink, DWORD* cookie) {
  if (sink_) return CONNECT_E_ADVISELIMIT;
  if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink_)))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  journal("advise");
  *cookie = 1;
  return S_OK;
}

HRESULT Control::unadviseSink(DWORD cookie) {
  if (cookie != 1 || !sink_) return CONNECT_E_NOCONNECTION;
  journal("unadvise");
  sink_->Release();
  sink_ = nullptr;
  return S_OK;
}

LRESULT Control::windowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kLinkConnected:
      state_ = 1;
      fire(2, "OnConnected");
      break;
    case kLinkFailed: {
      const long reason = static_cast<long>(wParam);
      endLink();
      fire(4, "OnDisconnected", &reason);
      break;
    }
    case kLinkClosed: {
      const long reason = link_ && link_->closedLocally() ? 1 : 3;
      endLink();
      fire(4, "OnDisconnected", &reason);
      break;
    }
    case kLinkFrame:
      if (link_ && window_) {
        const RECT changed = link_->takeChanged();
        InvalidateRect(window_, &changed, FALSE);
      }
      return 0;
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      if (link_) {
        link_->pointer(pointerFlags(message, wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      }
      if (message == WM_LBUTTONDOWN) {
        SetFocus(window);
        return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      if (link_) {
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &at);
        link_->pointer(pointerFlags(message, wParam), at.x, at.y);
      }
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
      const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
      journal(std::string(down ? "key down " : "key up ") + std::to_string(wParam));
      if (link_) link_->key(scanCodeOf(wParam, lParam), down);
      return 0;
    }
    case WM_CHAR:
      journal("key char " + std::to_string(wParam));
      return 0;
    default:
      break;
  }
  if (message == kLinkConnected || message == kLinkFailed || message == kLinkClosed) {
    if (window_) InvalidateRect(window_, nullptr, TRUE);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Control::paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT area;
  GetClientRect(window, &area);
  if (link_ && link_->paint(dc, area)) {
    EndPaint(window, &ps);
    return;
  }
  HBRUSH background = CreateSolidBrush(RGB(0x1F, 0x3A, 0x5F));
  FillRect(dc, &area, background);
  DeleteObject(background);
  static const wchar_t* const states[] = {L"not connected", L"connected", L"connecting"};
  const std::wstring text = L"Remote desktop stand-in\n\nServer: " + settings.server + L"\nPort: " +
                            std::to_wstring(settings.rdpPort) + L"\nUser: " + settings.userName +
                            L"\n\n" + states[state_ % 3];
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT box = area;
  box.top += (area.bottom - area.top) / 3;
  DrawTextW(dc, text.c_str(), -1, &box, DT_CENTER | DT_NOPREFIX);
  EndPaint(window, &ps);
}

}  // namespace

HRESULT createControl(REFIID riid, void** out) {
  if (refuses("create")) return E_FAIL;
  auto* control = new (std::nothrow) Control();
  if (!control) return E_OUTOFMEMORY;
  const HRESULT hr = control->QueryInterface(riid, out);
  control->Release();
  return hr;
}

}  // namespace rdpstub
