// Failed calls on the remote desktop control, raised as Exception with the best text at hand.
#pragma once

#include <ole2.h>
#include <windows.h>

#include "base/exception.h"

namespace orvanta::rdp {

// From IDispatch::Invoke: the EXCEPINFO's description when the control filled it.
[[noreturn]] void throwDispatchError(HRESULT hr, EXCEPINFO& info);
// From a vtable call: the thread's IErrorInfo description when present.
[[noreturn]] void throwCallError(HRESULT hr);
// Without a description: the system's text, else "OLE error %.8x".
[[noreturn]] void throwSystemError(HRESULT hr);

inline void checkCall(HRESULT hr) {
  if (FAILED(hr)) throwCallError(hr);
}

}  // namespace orvanta::rdp
