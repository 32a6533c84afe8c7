// The control's one event source, IMsTscAxEvents, with its one sink; it shares the lifetime of
// the container that owns it.
#pragma once

#include <ocidl.h>

namespace rdpstub {

class EventPoint final : public IConnectionPoint {
 public:
  explicit EventPoint(IConnectionPointContainer* container) : container_(container) {}
  ~EventPoint();
  EventPoint(const EventPoint&) = delete;
  EventPoint& operator=(const EventPoint&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return container_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return container_->Release(); }
  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  // Journals the event and calls the sink, if any; reason, when given, is the one argument.
  void fire(DISPID id, const char* name, const long* reason = nullptr);

 private:
  IConnectionPointContainer* container_;
  IDispatch* sink_ = nullptr;
};

}  // namespace rdpstub
