// Points and rectangles in pixels, as painting and placing code computes them.
#pragma once

namespace orvanta {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// Right and bottom lie just outside the rectangle.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  Rect inset(int by) const { return {left + by, top + by, right - by, bottom - by}; }
  bool operator==(const Rect&) const = default;
};

}  // namespace orvanta
