// The class id and interface ids the stand-in answers to: the platform control's own.
#pragma once

#include <windows.h>

#include <cstddef>

namespace rdpstub {

extern const CLSID kClsid;
// IMsRdpClient7 and the interfaces it derives from, all served by one face.
extern const IID kClientIids[9];
// IMsRdpClientAdvancedSettings and the interface it derives from.
extern const IID kAdvancedIids[2];
// IMsTscAxEvents, the one event source.
extern const IID kEventsIid;

template <size_t N>
bool oneOf(REFIID riid, const IID (&iids)[N]) {
  for (const IID& iid : iids) {
    if (riid == iid) return true;
  }
  return false;
}

}  // namespace rdpstub
