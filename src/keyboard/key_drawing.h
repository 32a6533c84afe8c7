// How a key of the on-screen keyboard is drawn: the colours of each look and the line
// pictures drawn instead of a caption. The Win32 painter draws exactly these.
#pragma once

#include <cstdint>
#include <vector>

#include "base/dpi_scale.h"
#include "base/gradient.h"
#include "keyboard/keyboard_button.h"

namespace orvanta {

struct KeyColors {
  Rgb top;  // the fill's gradient runs from top to bottom
  Rgb bottom;
  Rgb outer;  // outline of the key
  Rgb inner;  // outline one pixel inside it
  Rgb text;   // caption and picture lines
};

const KeyColors& keyColors(KeyLook look);

// One-pixel lines through the points in turn; each line covers its start but not its end.
using KeyPolyline = std::vector<Point>;

// The width of the outlines and of the pictures' lines: one pixel at 96 dpi, enlarged with it.
int keyLineWidth(int dpi);

// The picture `image` (KeyImage 0-8) as designed at 96 dpi, for a key whose inner rectangle
// (the drawn key inset by one pixel) is `inner`; empty for other values.
std::vector<KeyPolyline> pictureLines(uint8_t image, const Rect& inner);

// The same picture at `dpi` as the rectangles to fill: the 96-dpi picture enlarged, every
// designed pixel at its scaled place reaching to its neighbour's and at least keyLineWidth(dpi)
// wide and high. At 96 dpi they are the pixels the lines cover.
std::vector<Rect> pictureBlocks(uint8_t image, const Rect& inner, int dpi);

// The gradient fill and the clip: the drawn key one line width wider to the right and at the
// bottom, with 5 x 5 rounded corners (at 96 dpi).
inline Rect fillArea(const Rect& drawn, int dpi) {
  const int width = keyLineWidth(dpi);
  return {drawn.left, drawn.top, drawn.right + width, drawn.bottom + width};
}
inline constexpr int kOuterCorner = 5;
inline constexpr int kInnerCorner = 4;
// The caption's top-left corner, from the inner rectangle's.
inline Point captionOrigin(const Rect& inner, int dpi) {
  return {inner.left + scaleToDpi(4, dpi), inner.top + scaleToDpi(4, dpi)};
}

}  // namespace orvanta
