// Keeps a top-level window on the screen it is shown on.
#pragma once

#include <windows.h>

namespace orvanta {

// `window` (outer, in screen pixels) moved onto the work area of its monitor and, where it is
// larger than that work area, made as small as the work area but never smaller than
// `smallest`. What still does not fit is placed at the work area's left or top edge, so that
// the title bar and its buttons stay within reach.
RECT fitToWorkArea(const RECT& window, SIZE smallest);

}  // namespace orvanta
