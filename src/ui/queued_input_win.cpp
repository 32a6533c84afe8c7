#include "ui/queued_input_win.h"

#include "ui/take_message_win.h"

namespace orvanta {

namespace {

bool isAltF4(const MSG& msg) {
  return msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4 && (HIWORD(msg.lParam) & KF_ALTDOWN);
}

bool belongsTo(HWND window, HWND target) {
  return target == window || (target != nullptr && GetAncestor(target, GA_ROOT) == window);
}

}  // namespace

bool dropQueuedInput(HWND window) {
  bool closeAsked = false;
  const UINT inputRanges[][2] = {{WM_KEYFIRST, WM_KEYLAST},
                                 {WM_MOUSEFIRST, WM_MOUSELAST},
                                 {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
  for (const auto& range : inputRanges) {
    MSG msg;
    while (takeMessage(msg, nullptr, range[0], range[1])) {
      closeAsked = closeAsked || (isAltF4(msg) && belongsTo(window, msg.hwnd));
    }
  }
  MSG msg;
  while (takeMessage(msg, window, WM_CLOSE, WM_CLOSE)) closeAsked = true;
  // The window manager's close box arrives as the system command.
  while (PeekMessageW(&msg, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_NOREMOVE) &&
         (msg.wParam & 0xFFF0) == SC_CLOSE) {
    takeMessage(msg, window, WM_SYSCOMMAND, WM_SYSCOMMAND);
    closeAsked = true;
  }
  return closeAsked;
}

}  // namespace orvanta
