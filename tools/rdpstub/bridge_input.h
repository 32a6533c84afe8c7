// The session window's mouse and key messages as the bridge's input events.
#pragma once

#include <windows.h>

namespace rdpstub {

// The protocol's pointer event flags for a mouse message; 0 for any other message.
unsigned pointerFlags(UINT message, WPARAM wParam);

// The set 1 scan code of a key message, bit 8 for an extended key, as the server wants it.
unsigned scanCodeOf(WPARAM virtualKey, LPARAM lParam);

}  // namespace rdpstub
