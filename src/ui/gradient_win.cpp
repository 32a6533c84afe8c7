#include "ui/gradient_win.h"

namespace orvanta {
namespace {

TRIVERTEX vertex(LONG x, LONG y, Rgb c) {
  return {x,
          y,
          static_cast<COLOR16>(c.r << 8),
          static_cast<COLOR16>(c.g << 8),
          static_cast<COLOR16>(c.b << 8),
          0};
}

}  // namespace

void fillVerticalGradient(HDC dc, const RECT& area, Rgb top, Rgb bottom) {
  TRIVERTEX corners[2] = {vertex(area.left, area.top, top),
                          vertex(area.right, area.bottom, bottom)};
  GRADIENT_RECT rect{0, 1};
  GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

}  // namespace orvanta
