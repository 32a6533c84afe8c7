#include "bridge_input.h"

namespace rdpstub {

namespace {

// Virtual keys that only extended keys produce when a message names no key position: the
// arrows and the editing block, not the numeric pad's keys of the same scan codes.
bool extendedOnly(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_SNAPSHOT:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_RCONTROL:
    case VK_RMENU:
      return true;
    default:
      return false;
  }
}

}  // namespace

unsigned pointerFlags(UINT message, WPARAM wParam) {
  constexpr unsigned kMove = 0x0800, kDown = 0x8000, kButton1 = 0x1000, kButton2 = 0x2000,
                     kButton3 = 0x4000, kWheel = 0x0200, kWheelNegative = 0x0100;
  switch (message) {
    case WM_MOUSEMOVE:
      return kMove;
    case WM_LBUTTONDOWN:
      return kDown | kButton1;
    case WM_LBUTTONUP:
      return kButton1;
    case WM_RBUTTONDOWN:
      return kDown | kButton2;
    case WM_RBUTTONUP:
      return kButton2;
    case WM_MBUTTONDOWN:
      return kDown | kButton3;
    case WM_MBUTTONUP:
      return kButton3;
    case WM_MOUSEWHEEL: {
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      return kWheel | (delta < 0 ? kWheelNegative | ((-delta) & 0xFF) : (delta & 0xFF));
    }
    default:
      return 0;
  }
}

// Key messages sent straight to the window may come without a scan code: the virtual key's
// own stands in (Wine maps an arrow to the numeric pad's code without its extended prefix).
unsigned scanCodeOf(WPARAM virtualKey, LPARAM lParam) {
  const unsigned scanCode = (static_cast<unsigned>(lParam) >> 16) & 0xFF;
  if (scanCode != 0) return scanCode | ((lParam & (1 << 24)) ? 0x100 : 0);
  const UINT mapped = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC_EX);
  const bool extended = (mapped >> 8) == 0xE0 || extendedOnly(virtualKey);
  return (mapped & 0xFF) | (extended ? 0x100 : 0);
}

}  // namespace rdpstub
