// Painting with the portable colour type.
#pragma once

#include <windows.h>

#include "base/rgb.h"

namespace orvanta {

inline COLORREF colorRef(Rgb c) {
  return RGB(c.r, c.g, c.b);
}

// Fills `area` with a smooth gradient from `top` at its top edge to `bottom` at its bottom edge.
void fillVerticalGradient(HDC dc, const RECT& area, Rgb top, Rgb bottom);

}  // namespace orvanta
