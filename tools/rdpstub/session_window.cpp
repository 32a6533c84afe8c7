#include "session_window.h"

#include <windowsx.h>

#include <string>

#include "bridge_input.h"
#include "control.h"
#include "journal.h"
#include "session_paint.h"

namespace rdpstub {

namespace {

const wchar_t kWindowClass[] = L"OrvantaRdpStubSession";

LRESULT handle(Control& control, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Link* link = control.link();
  switch (message) {
    case kLinkConnected:
      control.linkConnected();
      return 0;
    case kLinkFailed:
      control.linkFailed(static_cast<long>(wParam));
      return 0;
    case kLinkClosed:
      control.linkClosed();
      return 0;
    case kLinkFrame:
      if (link && control.window()) {
        const RECT changed = link->takeChanged();
        InvalidateRect(control.window(), &changed, FALSE);
      }
      return 0;
    case WM_PAINT:
      paintSession(window, link, control.settings, control.connectedState());
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      if (link) {
        link->pointer(pointerFlags(message, wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      }
      if (message == WM_LBUTTONDOWN) {
        SetFocus(window);
        return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      if (link) {
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &at);
        link->pointer(pointerFlags(message, wParam), at.x, at.y);
      }
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
      const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
      journal(std::string(down ? "key down " : "key up ") + std::to_string(wParam));
      if (link) link->key(scanCodeOf(wParam, lParam), down);
      return 0;
    }
    case WM_CHAR:
      journal("key char " + std::to_string(wParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return control ? handle(*control, window, message, wParam, lParam)
                 : DefWindowProcW(window, message, wParam, lParam);
}

void registerWindowClass() {
  static const bool registered = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = thisModule();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND createSessionWindow(Control* control, HWND parent, const RECT& position) {
  registerWindowClass();
  return CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                         position.left, position.top, position.right - position.left,
                         position.bottom - position.top, parent, nullptr, thisModule(), control);
}

HWND createNotifyWindow(Control* control) {
  registerWindowClass();
  return CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, thisModule(),
                         control);
}

}  // namespace rdpstub
