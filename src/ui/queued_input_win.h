// What the user did while the thread was blocked (on a request, say) and could not answer:
// keys and clicks meant for the window as it looked then, and a request to close it.
#pragma once

#include <windows.h>

namespace orvanta {

// Removes every keyboard and mouse message queued for this thread, so that none reaches
// the window that comes next. True when the user asked to close `window` meanwhile (Alt+F4
// in it, or a close posted to it); that close is taken out of the queue too.
bool dropQueuedInput(HWND window);

}  // namespace orvanta
