// The IMsRdpClient7 face: slots 0-6 IDispatch, then the control's own members.
#include <string>

#include "control.h"
#include "dispatch.h"
#include "face.h"
#include "journal.h"
#include "refusal.h"
#include "slot_properties.h"

namespace rdpstub {

namespace {

HRESULT __stdcall clientQueryInterface(Face* f, REFIID riid, void** out) {
  return owner(f)->QueryInterface(riid, out);
}
HRESULT __stdcall clientInvoke(Face* f, DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* info, UINT*) {
  return invokeClient(*owner(f), id, flags, params, result, info);
}

// Slots the program never uses still exist, record the call and answer E_NOTIMPL.
template <int Slot>
struct ClientUnused {
  static HRESULT __stdcall call(Face*) {
    journal("slot " + std::to_string(Slot) + " unused");
    return E_NOTIMPL;
  }
};

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
  if (const HRESULT hr = refuse("Connected", nullptr); FAILED(hr)) return hr;
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
  if (const HRESULT hr = refuse("AdvancedSettings2", nullptr); FAILED(hr)) return hr;
  *out = reinterpret_cast<IDispatch*>(&owner(f)->advanced);
  owner(f)->AddRef();
  return S_OK;
}
HRESULT __stdcall putFullScreen(Face* f, VARIANT_BOOL v) {
  journal("slot 42 put FullScreen " + std::to_string(v));
  if (const HRESULT hr = refuse("FullScreen", nullptr); FAILED(hr)) return hr;
  owner(f)->settings.fullScreen = v;
  return S_OK;
}
HRESULT __stdcall getFullScreen(Face* f, VARIANT_BOOL* v) {
  return getNumber("slot 43", "FullScreen", owner(f)->settings.fullScreen, v);
}

}  // namespace

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

}  // namespace rdpstub
