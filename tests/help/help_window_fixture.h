// Reading back what a help window shows: where its controls are, their texts and fonts, and
// the pixels painted on the screen.
#pragma once

#include <windows.h>

#include <string>

#include "support/pump_win.h"
#include "ui/application_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta::test {

// A control's rectangle in its parent's client area.
inline RECT boundsIn(HWND parent, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline LOGFONTW fontOf(HWND control) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf;
}

// Shows the window (not modally) and lets it paint.
inline void showAndPaint(Application& app, HWND window) {
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  UpdateWindow(window);
  test::pumpFor(app, std::chrono::milliseconds(400));
}

// True when the pixel is (nearly) white.
inline bool white(COLORREF c) {
  return GetRValue(c) > 245 && GetGValue(c) > 245 && GetBValue(c) > 245;
}

// How many pixels of a client-area rectangle differ from white, sampled every `step` pixels.
inline int colouredPixels(HWND window, const RECT& r, int step = 4) {
  WindowDc dc(window);
  int count = 0;
  for (int y = r.top; y < r.bottom; y += step) {
    for (int x = r.left; x < r.right; x += step) {
      if (!white(GetPixel(dc.get(), x, y))) ++count;
    }
  }
  return count;
}

}  // namespace orvanta::test
