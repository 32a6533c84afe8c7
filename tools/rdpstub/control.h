// The stand-in control: the platform control's class id, interface layout, dispatch ids,
// events and in-place activation, with a plain placeholder instead of a remote session.
#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <memory>
#include <string>

#include "event_point.h"
#include "face.h"
#include "interface_ids.h"
#include "journal.h"
#include "link.h"
#include "settings.h"

namespace rdpstub {

HRESULT createControl(REFIID riid, void** out);

// The stand-in's own DLL, for its window class and its registration path.
HMODULE thisModule();

class Control final : public IOleObject,
                      public IOleInPlaceObject,
                      public IOleControl,
                      public IPersistStreamInit,
                      public IConnectionPointContainer {
 public:
  Control();
  ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

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
  HRESULT writable(const std::string& member, EXCEPINFO* info);
  HRESULT connectCall(const std::string& via, EXCEPINFO* info);
  HRESULT disconnectCall(const std::string& via, EXCEPINFO* info);
  short connectedState() const { return state_; }

  // What the link reports to the notification window.
  void linkConnected();
  void linkFailed(long reason);
  void linkClosed();
  Link* link() const { return link_.get(); }
  // The in-place window, null while not active.
  HWND window() const { return window_; }

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

 private:
  void endLink();
  void linkEnded(long reason);
  void repaint();

  LONG refs_ = 1;
  IOleClientSite* site_ = nullptr;
  IOleInPlaceSite* inPlaceSite_ = nullptr;
  HWND window_ = nullptr;
  HWND notify_ = nullptr;
  short state_ = 0;
  std::unique_ptr<Link> link_;
  std::unique_ptr<EventPoint> point_;
};

}  // namespace rdpstub
