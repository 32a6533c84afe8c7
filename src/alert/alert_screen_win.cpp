#include "alert/alert_screen_win.h"

#include <windows.h>

namespace orvanta {

Rect AlertScreenWin::workArea() const {
  RECT area;
  if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    return {area.left, area.top, area.right, area.bottom};
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Point AlertScreenWin::cursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

}  // namespace orvanta
