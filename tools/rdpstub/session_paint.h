// What the control's in-place window shows: the remote screen when its link has one, else a
// placeholder naming the server, port, user and connection state.
#pragma once

#include <windows.h>

#include "link.h"
#include "settings.h"

namespace rdpstub {

// Handles WM_PAINT; link may be null, state is the control's Connected value.
void paintSession(HWND window, Link* link, const Settings& settings, short state);

}  // namespace rdpstub
