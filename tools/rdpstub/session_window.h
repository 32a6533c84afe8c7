// The control's two windows, whose messages go to the control: the in-place window that shows
// the session and takes its input, and the message-only window its link reports to.
#pragma once

#include <windows.h>

namespace rdpstub {

class Control;

HWND createSessionWindow(Control* control, HWND parent, const RECT& position);
HWND createNotifyWindow(Control* control);

}  // namespace rdpstub
