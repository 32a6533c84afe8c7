// The two status pictures of the connection alert, drawn by code: a glossy globe, and the same
// globe with a red round badge holding a white X at its lower right.
#pragma once

#include <cstdint>
#include <vector>

namespace orvanta {

inline constexpr int kStatusPictureSize = 50;
inline constexpr int kStatusPictureCount = 2;
// Indexes of the two pictures.
inline constexpr int kPictureGlobe = 0;
inline constexpr int kPictureGlobeWithBadge = 1;

// One pixel with straight (not premultiplied) alpha; alpha 0 is fully transparent.
struct Rgba {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  uint8_t a = 0;
};

// The picture designed at kStatusPictureSize pixels square drawn at `size` x `size` pixels,
// row by row from the top; empty for an index that is not a picture or a size below one.
std::vector<Rgba> drawStatusPicture(int index, int size = kStatusPictureSize);

}  // namespace orvanta
