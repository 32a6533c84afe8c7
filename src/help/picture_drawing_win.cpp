#include "help/picture_drawing_win.h"

#include <algorithm>
#include <cmath>

#include "ui/unique_handle_win.h"
#include "ui/window_win.h"

namespace orvanta::drawing {

namespace {

UniqueHbrush brush(COLORREF color) {
  return UniqueHbrush(CreateSolidBrush(color));
}

// A geometric pen: its width scales with the transform and its ends are round.
UniqueHpen pen(int width, COLORREF color) {
  const LOGBRUSH lb{BS_SOLID, color, 0};
  return UniqueHpen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                 static_cast<DWORD>(width), &lb, 0, nullptr));
}

// Fills with `color` and no outline.
class Fill {
 public:
  Fill(HDC dc, COLORREF color)
      : brush_(brush(color)),
        selectBrush_(dc, brush_.get()),
        selectPen_(dc, GetStockObject(NULL_PEN)) {}

 private:
  UniqueHbrush brush_;
  SelectGuard selectBrush_;
  SelectGuard selectPen_;
};

}  // namespace

void ellipse(HDC dc, const RECT& r, COLORREF fill) {
  const Fill f(dc, fill);
  Ellipse(dc, r.left, r.top, r.right, r.bottom);
}

void roundRect(HDC dc, const RECT& r, int radius, COLORREF fill) {
  const Fill f(dc, fill);
  RoundRect(dc, r.left, r.top, r.right, r.bottom, 2 * radius, 2 * radius);
}

void polygon(HDC dc, std::initializer_list<POINT> points, COLORREF fill) {
  const Fill f(dc, fill);
  Polygon(dc, points.begin(), static_cast<int>(points.size()));
}

void line(HDC dc, POINT from, POINT to, int width, COLORREF color) {
  const UniqueHpen p = pen(width, color);
  const SelectGuard select(dc, p.get());
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void arc(HDC dc, const RECT& box, POINT start, POINT end, int width, COLORREF color) {
  const UniqueHpen p = pen(width, color);
  const SelectGuard select(dc, p.get());
  Arc(dc, box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
}

POINT Curve::at(double t) const {
  const double u = 1 - t;
  const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
  return {static_cast<LONG>(std::lround(a * p0.x + b * p1.x + c * p2.x + d * p3.x)),
          static_cast<LONG>(std::lround(a * p0.y + b * p1.y + c * p2.y + d * p3.y))};
}

void dottedArrow(HDC dc, const Curve& curve, int dots, int dotRadius, COLORREF color) {
  // The dots stop short of the end, where the arrow head sits.
  for (int i = 0; i < dots; ++i) {
    const POINT c = curve.at(0.86 * i / (dots - 1));
    ellipse(dc, {c.x - dotRadius, c.y - dotRadius, c.x + dotRadius, c.y + dotRadius}, color);
  }
  const double dx = curve.p3.x - curve.p2.x;
  const double dy = curve.p3.y - curve.p2.y;
  const double length = std::hypot(dx, dy);
  const double ux = dx / length, uy = dy / length;
  const double size = dotRadius * 4.0;
  const auto point = [&](double along, double across) {
    return POINT{static_cast<LONG>(std::lround(curve.p3.x + ux * along - uy * across)),
                 static_cast<LONG>(std::lround(curve.p3.y + uy * along + ux * across))};
  };
  polygon(dc, {point(0, 0), point(-size, size * 0.6), point(-size, -size * 0.6)}, color);
}

void document(HDC dc, POINT topLeft, int width, int height, COLORREF lines) {
  const int fold = width / 3;
  const LONG x = topLeft.x, y = topLeft.y;
  polygon(dc,
          {{x, y},
           {x + width - fold, y},
           {x + width, y + fold},
           {x + width, y + height},
           {x, y + height}},
          RGB(255, 255, 255));
  polygon(dc, {{x + width - fold, y}, {x + width, y + fold}, {x + width - fold, y + fold}},
          RGB(200, 214, 229));
  const int step = std::max(2, height / 6);
  for (int row = y + fold + step / 2; row < y + height - step / 2; row += step) {
    line(dc, {x + width / 5, row}, {x + width * 4 / 5, row}, 1, lines);
  }
}

void label(HDC dc, const RECT& r, std::wstring_view text, int heightPx, COLORREF color) {
  const UniqueHfont font = createFont({.face = L"Tahoma", .heightPx = heightPx, .bold = true});
  const SelectGuard select(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  RECT box = r;
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace orvanta::drawing
