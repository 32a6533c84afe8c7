// The wait cursor for as long as the object lives: the sign of life a window gives while its
// thread is blocked (a request to the service, say) and cannot handle the mouse.
#pragma once

#include <windows.h>

namespace orvanta {

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace orvanta
