// Design pixels at a screen's dpi.
#include "base/dpi_scale.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

// Halves round away from zero, as the platform rounds, so a layout comes out the same whether
// it is scaled here or by the platform, on both sides of an anchor.
TEST(DpiScaleTest, RoundsHalvesAwayFromZero) {
  struct Case {
    int design, dpi, expected;
  };
  const Case cases[] = {
      {566, 96, 566}, {1, 120, 1},   {2, 120, 3},      {1, 144, 2}, {27, 144, 41},
      {-7, 144, -11}, {-1, 144, -2}, {912, 192, 1824}, {0, 144, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(scaleToDpi(c.design, c.dpi), c.expected) << c.design << " at " << c.dpi;
}

}  // namespace
}  // namespace orvanta
