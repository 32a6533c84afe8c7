// Points and rectangles in screen pixels, as the alert places itself on the desktop.
#pragma once

namespace orvanta {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// Right and bottom lie just outside the rectangle.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(ScreenPoint p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  bool operator==(const ScreenRect&) const = default;
};

}  // namespace orvanta
