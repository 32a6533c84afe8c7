#include "ui/take_message_win.h"

namespace orvanta {

bool takeMessage(MSG& msg, HWND window, UINT first, UINT last) {
  if (!PeekMessageW(&msg, window, first, last, PM_REMOVE)) return false;
  if (msg.message != WM_QUIT) return true;
  PostQuitMessage(static_cast<int>(msg.wParam));
  return false;
}

}  // namespace orvanta
