#include "update/progress_bar_model.h"

#include <gtest/gtest.h>

#include <limits>

namespace orvanta {
namespace {

struct Case {
  const char* name;
  int64_t maximum;
  int64_t pos;
  int seenMaximum;
  int seenPosition;
};

void PrintTo(const Case& testCase, std::ostream* os) {
  *os << testCase.name;
}

class BarLimitsTest : public testing::TestWithParam<Case> {};

TEST_P(BarLimitsTest, KeepsThePositionWithinTheRange) {
  const Case& testCase = GetParam();
  ProgressBarModel bar;
  bar.setMax(testCase.maximum);
  bar.setPosition(testCase.pos);
  EXPECT_EQ(bar.max(), testCase.seenMaximum);
  EXPECT_EQ(bar.position(), testCase.seenPosition);
}

constexpr int kIntMax = std::numeric_limits<int>::max();

INSTANTIATE_TEST_SUITE_P(Cases, BarLimitsTest,
                         testing::Values(Case{"WithinTheRange", 1000, 400, 1000, 400},
                                         Case{"BeyondTheMaximum", 1000, 1500, 1000, 1000},
                                         Case{"ZeroMaximumPinsAtZero", 0, 4096, 0, 0},
                                         Case{"NegativePosition", 1000, -5, 1000, 0},
                                         Case{"NegativeMaximumCountsAsZero", -1, 10, 0, 0},
                                         Case{"ValuesBeyond32Bits", int64_t{1} << 40,
                                              int64_t{1} << 35, kIntMax, kIntMax}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgressBarModelTest, StartsAsARangeOfHundredAtZero) {
  ProgressBarModel bar;
  EXPECT_EQ(bar.max(), 100);
  EXPECT_EQ(bar.position(), 0);
  bar.setPosition(100);
  EXPECT_EQ(bar.position(), 100);
}

TEST(ProgressBarModelTest, LoweringTheMaximumPullsThePositionDown) {
  ProgressBarModel bar;
  int changes = 0;
  bar.onChange = [&] { ++changes; };
  bar.setPosition(80);
  bar.setMax(0);
  EXPECT_EQ(bar.position(), 0);
  bar.setMax(50);
  EXPECT_EQ(bar.position(), 0) << "a wider range does not bring the old position back";
  EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace orvanta
