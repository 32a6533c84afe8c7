// A colour as painting code names it, free of any platform's colour type.
#pragma once

#include <cstdint>

namespace orvanta {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

}  // namespace orvanta
