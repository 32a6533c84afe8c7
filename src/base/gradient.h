// Vertical colour gradients drawn as horizontal bands of solid colour.
#pragma once

#include <vector>

#include "base/rgb.h"

namespace orvanta {

struct GradientBand {
  int top = 0;  // from the top of the gradient's area
  int height = 0;
  Rgb color;
  bool operator==(const GradientBand&) const = default;
};

// bandCount bands of height / bandCount rows each, band i coloured from + (to - from) * i /
// (bandCount - 1) per channel, rounded; the height % bandCount rows left at the bottom take
// the end colour. Fewer than two bands, or one colour, fill the whole height with `from`.
std::vector<GradientBand> gradientBands(Rgb from, Rgb to, int height, int bandCount);

}  // namespace orvanta
