// Layouts are designed at 96 dpi; a window scales them to its own dpi, which on a per-monitor
// aware system is that of the monitor it is on.
#pragma once

#include <windows.h>

#include "base/dpi_scale.h"

namespace orvanta {

struct Bounds;

// The window's dpi; where the system has no per-window dpi, the screen's.
int dpiOf(HWND hwnd);
// The dpi of the primary screen, for what is laid out before its window exists.
int systemDpi();

// The edges are scaled, so that neighbours stay neighbours.
Bounds scaleToDpi(const Bounds& design, int dpi);

// Makes what is drawn on dc in design coordinates come out at the dpi's scale. At 96 dpi the
// device context is left as it is, so drawings stay exactly as they were.
void scaleDrawing(HDC dc, int dpi);

}  // namespace orvanta
