#include "control.h"

#include <new>
#include <utility>

#include "bridge_link.h"
#include "refusal.h"
#include "session_window.h"
#include "tcp_link.h"

namespace rdpstub {

namespace {

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

}  // namespace

Control::Control() : point_(std::make_unique<EventPoint>(this)) {
  client.vtbl = clientTable();
  advanced.vtbl = advancedTable();
  notify_ = createNotifyWindow(this);
  journal("create");
}

Control::~Control() {
  endLink();
  if (window_) DestroyWindow(window_);
  if (notify_) DestroyWindow(notify_);
  // The host's event sink goes before its sites.
  point_.reset();
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
  point_->fire(1, "OnConnecting");
  const std::string bridge = bridgeAddress();
  if (bridge.empty()) {
    link_ = std::make_unique<TcpLink>(notify_, narrow(settings.server.c_str()),
                                      std::to_string(settings.rdpPort), connectDelayMs());
  } else {
    link_ = std::make_unique<BridgeLink>(notify_, bridge, connectRequest(settings));
  }
  repaint();
  return S_OK;
}

HRESULT Control::disconnectCall(const std::string& via, EXCEPINFO* info) {
  journal(via + " Disconnect");
  if (const HRESULT hr = refuse("Disconnect", info); FAILED(hr)) return hr;
  if (link_) link_->close();
  return S_OK;
}

void Control::linkConnected() {
  state_ = 1;
  point_->fire(2, "OnConnected");
  repaint();
}

void Control::linkFailed(long reason) {
  linkEnded(reason);
}

void Control::linkClosed() {
  linkEnded(link_ && link_->closedLocally() ? 1 : 3);
}

void Control::linkEnded(long reason) {
  endLink();
  point_->fire(4, "OnDisconnected", &reason);
  repaint();
}

void Control::endLink() {
  link_.reset();
  state_ = 0;
}

void Control::repaint() {
  if (window_) InvalidateRect(window_, nullptr, TRUE);
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
  window_ = createSessionWindow(this, host, position);
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

HRESULT createControl(REFIID riid, void** out) {
  if (refuses("create")) return E_FAIL;
  auto* control = new (std::nothrow) Control();
  if (!control) return E_OUTOFMEMORY;
  const HRESULT hr = control->QueryInterface(riid, out);
  control->Release();
  return hr;
}

}  // namespace rdpstub
