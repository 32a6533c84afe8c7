#include "event_point.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "interface_ids.h"
#include "journal.h"

namespace rdpstub {

EventPoint::~EventPoint() {
  if (sink_) sink_->Release();
}

HRESULT EventPoint::QueryInterface(REFIID riid, void** out) {
  if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT EventPoint::GetConnectionInterface(IID* iid) {
  *iid = kEventsIid;
  return S_OK;
}

HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  return container_->QueryInterface(IID_IConnectionPointContainer,
                                    reinterpret_cast<void**>(container));
}

HRESULT EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (sink_) return CONNECT_E_ADVISELIMIT;
  if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink_)))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  journal("advise");
  *cookie = 1;
  return S_OK;
}

HRESULT EventPoint::Unadvise(DWORD cookie) {
  if (cookie != 1 || !sink_) return CONNECT_E_NOCONNECTION;
  journal("unadvise");
  sink_->Release();
  sink_ = nullptr;
  return S_OK;
}

void EventPoint::fire(DISPID id, const char* name, const long* reason) {
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

}  // namespace rdpstub
