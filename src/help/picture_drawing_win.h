// Small GDI helpers the help pictures are drawn with: filled shapes without outline, strokes,
// and dotted curves. Coordinates are logical, so a picture drawn under a scaling transform
// keeps its proportions.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace orvanta::drawing {

void ellipse(HDC dc, const RECT& r, COLORREF fill);
void roundRect(HDC dc, const RECT& r, int radius, COLORREF fill);
void polygon(HDC dc, std::initializer_list<POINT> points, COLORREF fill);
// Round-ended strokes.
void line(HDC dc, POINT from, POINT to, int width, COLORREF color);
void arc(HDC dc, const RECT& box, POINT start, POINT end, int width, COLORREF color);

// A cubic Bézier curve drawn as a row of dots, ending in an arrow head at p3.
struct Curve {
  POINT p0, p1, p2, p3;
  POINT at(double t) const;
};
void dottedArrow(HDC dc, const Curve& curve, int dots, int dotRadius, COLORREF color);

// A sheet of paper with a folded corner and a few lines of "text".
void document(HDC dc, POINT topLeft, int width, int height, COLORREF lines);
// Centred text in a bold face.
void label(HDC dc, const RECT& r, std::wstring_view text, int heightPx, COLORREF color);

}  // namespace orvanta::drawing
