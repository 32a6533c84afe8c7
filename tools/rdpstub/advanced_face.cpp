// The IMsRdpClientAdvancedSettings face, reached through the client's AdvancedSettings members.
#include <string>

#include "control.h"
#include "dispatch.h"
#include "face.h"
#include "interface_ids.h"
#include "journal.h"
#include "slot_properties.h"

namespace rdpstub {

namespace {

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
  return invokeAdvanced(*owner(f), id, flags, params, result, info);
}

// Slots the program never uses still exist, record the call and answer E_NOTIMPL.
template <int Slot>
struct AdvancedUnused {
  static HRESULT __stdcall call(Face*) {
    journal("advslot " + std::to_string(Slot) + " unused");
    return E_NOTIMPL;
  }
};

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

}  // namespace

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

}  // namespace rdpstub
