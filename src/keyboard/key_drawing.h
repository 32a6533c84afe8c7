// How a key of the on-screen keyboard is drawn: the colours of each look and the line
// pictures drawn instead of a caption. The Win32 painter draws exactly these.
#pragma once

#include <cstdint>
#include <vector>

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

// The picture `image` (KeyImage 0-8) for a key whose inner rectangle (the drawn key inset by
// one pixel) is `inner`; empty for other values.
std::vector<KeyPolyline> pictureLines(uint8_t image, const Rect& inner);

// The gradient fill and the clip: the drawn key one pixel wider to the right and at the
// bottom, with 5 x 5 rounded corners.
inline Rect fillArea(const Rect& drawn) {
  return {drawn.left, drawn.top, drawn.right + 1, drawn.bottom + 1};
}
inline constexpr int kOuterCorner = 5;
inline constexpr int kInnerCorner = 4;
// The caption's top-left corner, from the inner rectangle's.
inline Point captionOrigin(const Rect& inner) {
  return {inner.left + 4, inner.top + 4};
}

}  // namespace orvanta
