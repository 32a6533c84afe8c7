// Taking chosen messages out of the thread's queue without losing a quit asked for meanwhile.
#pragma once

#include <windows.h>

namespace orvanta {

// PeekMessage with PM_REMOVE for `window` and the range first..last. The system hands out a
// pending WM_QUIT whatever the range: that one is posted again for the message loop and
// false is returned, as when nothing in the range is queued.
bool takeMessage(MSG& msg, HWND window, UINT first, UINT last);

}  // namespace orvanta
