#include "ui/dpi_win.h"

#include "ui/unique_handle_win.h"
#include "ui/window_win.h"

namespace orvanta {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Absent before Windows 10 1607.
GetDpiForWindowFn getDpiForWindow() {
  static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return fn;
}

}  // namespace

int systemDpi() {
  WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
  return dpi > 0 ? dpi : kDesignDpi;
}

int dpiOf(HWND hwnd) {
  if (const GetDpiForWindowFn fn = getDpiForWindow(); fn && hwnd) {
    if (const UINT dpi = fn(hwnd); dpi > 0) return static_cast<int>(dpi);
  }
  return systemDpi();
}

Bounds scaleToDpi(const Bounds& design, int dpi) {
  const int left = scaleToDpi(design.left, dpi);
  const int top = scaleToDpi(design.top, dpi);
  return {left, top, scaleToDpi(design.left + design.width, dpi) - left,
          scaleToDpi(design.top + design.height, dpi) - top};
}

void scaleDrawing(HDC dc, int dpi) {
  if (dpi == kDesignDpi) return;
  SetGraphicsMode(dc, GM_ADVANCED);
  const FLOAT factor = static_cast<FLOAT>(dpi) / kDesignDpi;
  const XFORM scale{factor, 0, 0, factor, 0, 0};
  SetWorldTransform(dc, &scale);
}

}  // namespace orvanta
