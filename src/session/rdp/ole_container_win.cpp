#include "session/rdp/ole_container_win.h"

#include <cstring>

#include "base/exception.h"
#include "session/rdp/ole_error_win.h"

namespace orvanta::rdp {

namespace {

// The control's own persistence of its initial state; handed over untouched.
constexpr BYTE kInitialState[20] = {0x00, 0x03, 0x00, 0x00, 0x08, 0x00, 0x02, 0x00, 0x00, 0x00,
                                    0x00, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00};

constexpr DISPID kAmbientUserMode = -709;

}  // namespace

HRESULT EventSink::QueryInterface(REFIID riid, void** out) {
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_IMsTscAxEvents) {
    *out = static_cast<IDispatch*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                          UINT*) {
  static const DISPPARAMS noParams = {};
  try {
    event_(id, params ? *params : noParams);
  } catch (...) {
    onFailure_(std::current_exception());
  }
  // The control is told the event was handled either way.
  return S_OK;
}

ComPtr<IUnknown> createControl() {
  ComPtr<IUnknown> control;
  const HRESULT hr =
      CoCreateInstance(CLSID_MsRdpClient7, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                       IID_IUnknown, control.putVoid());
  if (FAILED(hr)) throwSystemError(hr);
  return control;
}

OleContainer::OleContainer(HostWindow parent, ComPtr<IUnknown> control, EventSink::Event event,
                           ComFailure onFailure)
    : onFailure_(onFailure),
      parent_(std::move(parent)),
      sink_(std::move(event), std::move(onFailure)) {
  if (const HRESULT hr = control.query(object_); FAILED(hr)) throwSystemError(hr);
  DWORD status = 0;
  if (SUCCEEDED(object_->GetMiscStatus(DVASPECT_CONTENT, &status)) &&
      (status & OLEMISC_SETCLIENTSITEFIRST)) {
    object_->SetClientSite(this);
    siteSet_ = true;
  }
}

OleContainer::~OleContainer() {
  if (connectionPoint_) connectionPoint_->Unadvise(cookie_);
  connectionPoint_.reset();
  client_.reset();
  dispatch_.reset();
  object_->Close(OLECLOSE_NOSAVE);
  object_->SetClientSite(nullptr);
  object_.reset();
}

void OleContainer::firstUse() {
  if (used_) return;
  used_ = true;
  ComPtr<IPersistStreamInit> persistence;
  if (SUCCEEDED(object_.query(persistence))) {
    ComPtr<IStream> stream;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof kInitialState);
    if (!memory) throwSystemError(E_OUTOFMEMORY);
    std::memcpy(GlobalLock(memory), kInitialState, sizeof kInitialState);
    GlobalUnlock(memory);
    if (const HRESULT hr = CreateStreamOnHGlobal(memory, TRUE, stream.put()); FAILED(hr)) {
      GlobalFree(memory);
      throwSystemError(hr);
    }
    if (const HRESULT hr = persistence->Load(stream.get()); FAILED(hr)) throwSystemError(hr);
  }
  if (!siteSet_) {
    object_->SetClientSite(this);
    siteSet_ = true;
  }
  ComPtr<IConnectionPointContainer> connectionPoints;
  if (SUCCEEDED(object_.query(connectionPoints)) &&
      SUCCEEDED(
          connectionPoints->FindConnectionPoint(DIID_IMsTscAxEvents, connectionPoint_.put())) &&
      FAILED(connectionPoint_->Advise(static_cast<IDispatch*>(&sink_), &cookie_))) {
    connectionPoint_.reset();
  }
}

void OleContainer::activate(const RECT& area) {
  firstUse();
  area_ = area;
  if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, parent_(), &area_))) {
    throw Exception("OLE control activation failed", "EOleError");
  }
  ComPtr<IOleInPlaceObject> inPlace;
  HWND window = nullptr;
  if (FAILED(object_.query(inPlace)) || FAILED(inPlace->GetWindow(&window)) || !window) {
    throw Exception("Could not obtain OLE control window handle", "EOleError");
  }
  window_ = window;
}

void OleContainer::place(const RECT& area) {
  area_ = area;
  ComPtr<IOleInPlaceObject> inPlace;
  if (window_ && SUCCEEDED(object_.query(inPlace))) inPlace->SetObjectRects(&area_, &area_);
}

IDispatch& OleContainer::dispatch() {
  firstUse();
  if (!dispatch_) {
    if (const HRESULT hr = object_.query(dispatch_); FAILED(hr)) throwSystemError(hr);
  }
  return *dispatch_.get();
}

IMsRdpClient7& OleContainer::client() {
  firstUse();
  if (!client_) {
    if (const HRESULT hr = object_->QueryInterface(IID_IMsRdpClient7, client_.putVoid());
        FAILED(hr)) {
      throwSystemError(hr);
    }
  }
  return *client_.get();
}

template <class Work>
HRESULT OleContainer::guarded(Work&& work) {
  try {
    return work();
  } catch (...) {
    onFailure_(std::current_exception());
    return E_UNEXPECTED;
  }
}

HRESULT OleContainer::QueryInterface(REFIID riid, void** out) {
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
    *out = static_cast<IOleInPlaceFrame*>(this);
  } else if (riid == IID_IOleControlSite) {
    *out = static_cast<IOleControlSite*>(this);
  } else if (riid == IID_IOleContainer || riid == IID_IParseDisplayName) {
    *out = static_cast<IOleContainer*>(this);
  } else if (riid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  return S_OK;
}

HRESULT OleContainer::GetContainer(IOleContainer** container) {
  *container = this;
  return S_OK;
}

HRESULT OleContainer::GetWindow(HWND* window) {
  *window = nullptr;
  return guarded([&] {
    *window = parent_();
    return *window ? S_OK : E_FAIL;
  });
}

HRESULT OleContainer::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                       LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  return guarded([&] {
    *frame = this;
    *document = nullptr;
    *position = area_;
    *clip = area_;
    info->fMDIApp = FALSE;
    info->hwndFrame = parent_();
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  });
}

HRESULT OleContainer::OnPosRectChange(LPCRECT position) {
  return guarded([&] {
    place(*position);
    return S_OK;
  });
}

HRESULT OleContainer::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT OleContainer::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                             EXCEPINFO*, UINT*) {
  return guarded([&] {
    if (id != kAmbientUserMode) return DISP_E_MEMBERNOTFOUND;
    if (result) {
      VariantInit(result);
      result->vt = VT_BOOL;
      result->boolVal = VARIANT_TRUE;
    }
    return S_OK;
  });
}

}  // namespace orvanta::rdp
