// Hosts the remote desktop control in place in a window, without a framework: the site
// the control talks to, the event sink, first use, activation, resizing and teardown.
// No exception leaves a COM method of ours: the control calls them from its own code, so each
// one that does any work hands a failure to the owner's failure handler instead.
#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <exception>
#include <functional>

#include "session/rdp/msrdp_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta::rdp {

// Creates the platform's control; throws Exception (EOleSysError) when its class is missing or
// refuses. The one way the program and the tests make the control.
ComPtr<IUnknown> createControl();

// What a COM method of ours does with a failure it caught (the application's error box).
using ComFailure = std::function<void(std::exception_ptr)>;

// The window the control is placed in, asked for when the control first needs it: a window made
// when first needed is then made no earlier than the control's activation or its own asking.
using HostWindow = std::function<HWND()>;

// The event interface's dispatch calls, handed to the container's owner.
class EventSink final : public IDispatch {
 public:
  using Event = std::function<void(DISPID, const DISPPARAMS&)>;
  EventSink(Event event, ComFailure onFailure)
      : event_(std::move(event)), onFailure_(std::move(onFailure)) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  // Lives inside the container, which outlives every reference the control holds.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override;

 private:
  Event event_;
  ComFailure onFailure_;
};

class OleContainer final : public IOleClientSite,
                           public IOleInPlaceSite,
                           public IOleInPlaceFrame,
                           public IOleControlSite,
                           public IOleContainer,
                           public IDispatch {
 public:
  // Hosts a control made by createControl in `parent`; failures inside our COM methods go to
  // onFailure.
  OleContainer(HostWindow parent, ComPtr<IUnknown> control, EventSink::Event event,
               ComFailure onFailure);
  ~OleContainer();
  OleContainer(const OleContainer&) = delete;
  OleContainer& operator=(const OleContainer&) = delete;

  // Hands over the stored initial state and connects the events, once.
  void firstUse();
  // Activates the control in place over area of the parent; throws Exception.
  void activate(const RECT& area);
  void place(const RECT& area);
  bool active() const { return window_ != nullptr; }
  HWND window() const { return window_; }

  IDispatch& dispatch();
  IMsRdpClient7& client();

  // IUnknown: the site lives as long as the container, which releases the control first.
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT position) override;

  // IOleInPlaceUIWindow / IOleInPlaceFrame
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IOleControlSite
  STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
  STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
  STDMETHODIMP GetExtendedControl(IDispatch**) override { return E_NOTIMPL; }
  STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
  STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

  // IParseDisplayName / IOleContainer
  STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP EnumObjects(DWORD, IEnumUnknown**) override { return E_NOTIMPL; }
  STDMETHODIMP LockContainer(BOOL) override { return S_OK; }

  // IDispatch: ambient properties
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                      UINT*) override;

 private:
  template <class Work>
  HRESULT guarded(Work&& work);

  ComFailure onFailure_;
  HostWindow parent_;
  HWND window_ = nullptr;
  RECT area_ = {};
  EventSink sink_;
  ComPtr<IOleObject> object_;
  ComPtr<IDispatch> dispatch_;
  ComPtr<IMsRdpClient7> client_;
  ComPtr<IConnectionPoint> connectionPoint_;
  DWORD cookie_ = 0;
  bool siteSet_ = false;
  bool used_ = false;
};

}  // namespace orvanta::rdp
