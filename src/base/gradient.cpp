#include "base/gradient.h"

namespace orvanta {

namespace {

// numerator / denominator rounded to the nearest integer, halves away from zero.
int roundedDivision(int numerator, int denominator) {
  const int half = denominator / 2;
  return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

uint8_t channel(uint8_t from, uint8_t to, int index, int last) {
  return static_cast<uint8_t>(from + roundedDivision((to - from) * index, last));
}

}  // namespace

std::vector<GradientBand> gradientBands(Rgb from, Rgb to, int height, int bandCount) {
  if (height <= 0) return {};
  if (bandCount < 2 || from == to) return {{0, height, from}};
  const int bandHeight = height / bandCount;
  std::vector<GradientBand> bands;
  if (bandHeight > 0) {
    const int last = bandCount - 1;
    for (int i = 0; i < bandCount; ++i) {
      bands.push_back({i * bandHeight,
                       bandHeight,
                       {channel(from.r, to.r, i, last), channel(from.g, to.g, i, last),
                        channel(from.b, to.b, i, last)}});
    }
  }
  const int filled = bandHeight * bandCount;
  if (filled < height) bands.push_back({filled, height - filled, to});
  return bands;
}

}  // namespace orvanta
