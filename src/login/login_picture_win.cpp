#include "login/login_picture_win.h"

#include <algorithm>

#include "ui/gradient_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {
namespace {

UniqueHbrush brush(COLORREF color) {
  return UniqueHbrush(CreateSolidBrush(color));
}
UniqueHpen pen(int width, COLORREF color) {
  return UniqueHpen(CreatePen(PS_SOLID, width, color));
}

void paintBackground(HDC dc, const RECT& area) {
  fillVerticalGradient(dc, area, Rgb{4, 12, 48}, Rgb{1, 3, 16});
}

// Brightness falls with the distance from the touched square, so the grid seems lit by it.
void squares(HDC dc, const RECT& area, POINT touchPoint) {
  const int side = 30;
  const int step = 40;
  for (int y = area.top + 18; y + side < area.bottom - 150; y += step) {
    for (int x = area.left + 21; x + side < area.right; x += step) {
      const int dx = x + side / 2 - touchPoint.x;
      const int dy = y + side / 2 - touchPoint.y;
      const int distanceSquared = dx * dx + dy * dy;
      const int glow = 230 - std::min(150, distanceSquared / 180);
      const COLORREF border = RGB(glow / 4, glow * 3 / 5, glow);
      auto c = pen(distanceSquared < step * step ? 3 : 1, border);
      auto p = brush(RGB(glow / 12, glow / 6, glow / 3));
      SelectGuard sc(dc, c.get());
      SelectGuard sp(dc, p.get());
      RoundRect(dc, x, y, x + side, y + side, 6, 6);
    }
  }
}

void hand(HDC dc, const RECT& area, POINT touchPoint) {
  const COLORREF outline = RGB(150, 210, 255);
  auto c = pen(2, outline);
  auto p = brush(RGB(22, 44, 88));
  SelectGuard sc(dc, c.get());
  SelectGuard sp(dc, p.get());
  const int base = area.bottom;
  // Index finger reaching up to the touched square, the others folded on the palm.
  RoundRect(dc, touchPoint.x - 11, touchPoint.y - 4, touchPoint.x + 11, base - 110, 22, 22);
  RoundRect(dc, touchPoint.x + 6, base - 150, touchPoint.x + 30, base - 95, 22, 22);
  RoundRect(dc, touchPoint.x + 26, base - 142, touchPoint.x + 50, base - 92, 22, 22);
  RoundRect(dc, touchPoint.x + 44, base - 130, touchPoint.x + 66, base - 88, 22, 22);
  RoundRect(dc, touchPoint.x - 30, base - 125, touchPoint.x + 68, base + 20, 40, 40);
  RoundRect(dc, touchPoint.x - 52, base - 100, touchPoint.x - 22, base - 40, 26, 26);
}

void glow(HDC dc, POINT touchPoint) {
  for (int radius = 26; radius >= 6; radius -= 5) {
    const int level = 255 - radius * 4;
    auto p = brush(RGB(level / 3, level * 4 / 5, level));
    auto c = pen(1, RGB(level / 3, level * 4 / 5, level));
    SelectGuard sc(dc, c.get());
    SelectGuard sp(dc, p.get());
    Ellipse(dc, touchPoint.x - radius, touchPoint.y - radius, touchPoint.x + radius,
            touchPoint.y + radius);
  }
}

}  // namespace

void paintLoginPicture(HDC dc, const RECT& area) {
  paintBackground(dc, area);
  const POINT touchPoint{area.left + 156, area.top + 193};  // centre of a grid square
  squares(dc, area, touchPoint);
  hand(dc, area, touchPoint);
  glow(dc, touchPoint);
}

}  // namespace orvanta
