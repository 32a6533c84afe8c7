// The stand-in control: the platform control's class id, interface layout, dispatch ids,
// events and in-place activation, with a plain placeholder instead of a remote session.
#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>
#include <windows.h>

namespace rdpstub {

extern const CLSID kClsid;

HRESULT createControl(REFIID riid, void** out);

// The stand-in's own DLL, for its window class and its registration path.
HMODULE thisModule();

}  // namespace rdpstub
