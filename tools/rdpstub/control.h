// The stand-in control object: enough COM to be created and hosted like the real one.
#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

namespace rdpstub {

extern const CLSID kClsid;

// Live objects and locks; the module unloads only when both are zero.
LONG& moduleRefs();

HRESULT createControl(REFIID riid, void** out);

}  // namespace rdpstub
