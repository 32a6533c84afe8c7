// The looks' colours and the line pictures, as data.
#include "keyboard/key_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace orvanta {
namespace {

TEST(KeyDrawingTest, EachLookHasItsColours) {
  struct Case {
    KeyLook look;
    Rgb top, bottom, outer, inner, text;
  };
  const Case cases[] = {
      {KeyLook::dsNormal, {128, 128, 128}, {0, 0, 0}, {0, 0, 0}, {128, 128, 128}, {255, 255, 255}},
      {KeyLook::dsPressed,
       {255, 251, 240},
       {192, 192, 192},
       {255, 251, 240},
       {128, 128, 128},
       {0, 0, 0}},
      {KeyLook::dsDisabled,
       {128, 128, 128},
       {255, 251, 240},
       {255, 251, 240},
       {128, 128, 128},
       {128, 128, 128}},
  };
  for (const Case& c : cases) {
    const KeyColors& colors = keyColors(c.look);
    EXPECT_EQ(colors.top, c.top);
    EXPECT_EQ(colors.bottom, c.bottom);
    EXPECT_EQ(colors.outer, c.outer);
    EXPECT_EQ(colors.inner, c.inner);
    EXPECT_EQ(colors.text, c.text);
  }
}

// Lines written as in the table of pictures, with (x, y) the inner rectangle's top-left and
// (cx, cy) its centre.
TEST(KeyDrawingTest, PicturesAreTheirLines) {
  const Rect inner{10, 20, 61, 52};  // centre (35, 36): halves rounded toward zero
  const int x = 10, y = 20, cx = 35, cy = 36;
  using Lines = std::vector<KeyPolyline>;
  struct Case {
    uint8_t image;
    Lines lines;
  };
  const Case cases[] = {
      {0,
       {{{x + 4, y + 8}, {x + 40, y + 8}},
        {{x + 4, y + 3}, {x + 4, y + 13}},
        {{x + 6, y + 7}, {x + 6, y + 10}},
        {{x + 7, y + 6}, {x + 7, y + 11}},
        {{x + 4, y + 20}, {x + 41, y + 20}},
        {{x + 40, y + 15}, {x + 40, y + 25}},
        {{x + 38, y + 19}, {x + 38, y + 22}},
        {{x + 37, y + 18}, {x + 37, y + 23}}}},
      {1,
       {{{x + 4, y + 16},
         {x + 14, y + 6},
         {x + 24, y + 16},
         {x + 18, y + 16},
         {x + 18, y + 22},
         {x + 10, y + 22},
         {x + 10, y + 16},
         {x + 4, y + 16}}}},
      {2,
       {{{x + 40, y + 6}, {x + 40, y + 13}},
        {{x + 4, y + 12}, {x + 40, y + 12}},
        {{x + 5, y + 11}, {x + 5, y + 14}},
        {{x + 6, y + 10}, {x + 6, y + 15}}}},
      {3,
       {{{x + 4, y + 8}, {x + 28, y + 8}},
        {{x + 5, y + 7}, {x + 5, y + 10}},
        {{x + 6, y + 6}, {x + 6, y + 11}}}},
      {4,
       {{{cx, cy - 8}, {cx, cy + 8}},
        {{cx - 1, cy - 7}, {cx + 2, cy - 7}},
        {{cx - 2, cy - 6}, {cx + 3, cy - 6}}}},
      {5,
       {{{cx, cy - 8}, {cx, cy + 8}},
        {{cx - 1, cy + 6}, {cx + 2, cy + 6}},
        {{cx - 2, cy + 5}, {cx + 3, cy + 5}}}},
      {6,
       {{{cx - 8, cy}, {cx + 8, cy}},
        {{cx - 6, cy - 1}, {cx - 6, cy + 2}},
        {{cx - 5, cy - 2}, {cx - 5, cy + 3}}}},
      {7,
       {{{cx - 8, cy}, {cx + 8, cy}},
        {{cx + 6, cy - 1}, {cx + 6, cy + 2}},
        {{cx + 5, cy - 2}, {cx + 5, cy + 3}}}},
      {8,
       {{{x + 28, y + 6}, {x + 28, y + 13}},
        {{x + 4, y + 12}, {x + 28, y + 12}},
        {{x + 5, y + 11}, {x + 5, y + 14}},
        {{x + 6, y + 10}, {x + 6, y + 15}}}},
      {KeyImage::kCaptionOverride, {}},
      {KeyImage::kNone, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(pictureLines(c.image, inner), c.lines) << int(c.image);
}

TEST(KeyDrawingTest, FillAndCaptionPlacesGrowWithTheDpi) {
  const Rect drawn{100, 40, 148, 74};
  struct Case {
    int dpi;
    int lineWidth;
    Rect fill;
    Point caption;
  };
  const Case cases[] = {
      {96, 1, {100, 40, 149, 75}, {105, 45}},
      {120, 1, {100, 40, 149, 75}, {106, 46}},
      {144, 2, {100, 40, 150, 76}, {108, 48}},
      {192, 2, {100, 40, 150, 76}, {110, 50}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keyLineWidth(c.dpi), c.lineWidth) << c.dpi;
    EXPECT_EQ(fillArea(drawn, c.dpi), c.fill) << c.dpi;
    EXPECT_EQ(captionOrigin(drawn.inset(c.lineWidth), c.dpi), c.caption) << c.dpi;
  }
}

// The pixels a set of rectangles covers.
std::set<std::pair<int, int>> covered(const std::vector<Rect>& blocks) {
  std::set<std::pair<int, int>> pixels;
  for (const Rect& b : blocks) {
    for (int y = b.top; y < b.bottom; ++y) {
      for (int x = b.left; x < b.right; ++x) pixels.insert({x, y});
    }
  }
  return pixels;
}

// The pixels the 96-dpi lines cover: each from its start up to, not including, its end.
std::set<std::pair<int, int>> covered(const std::vector<KeyPolyline>& lines) {
  std::set<std::pair<int, int>> pixels;
  for (const KeyPolyline& line : lines) {
    for (size_t i = 1; i < line.size(); ++i) {
      Point p = line[i - 1];
      const Point end = line[i];
      while (p != end) {
        pixels.insert({p.x, p.y});
        p = {p.x + (end.x > p.x) - (end.x < p.x), p.y + (end.y > p.y) - (end.y < p.y)};
      }
    }
  }
  return pixels;
}

TEST(KeyDrawingTest, AtDesignDpiTheBlocksAreThePixelsOfTheLines) {
  const Rect inner{10, 20, 61, 52};
  for (uint8_t image = 0; image <= KeyImage::kNumPadEnter; ++image) {
    EXPECT_EQ(covered(pictureBlocks(image, inner, 96)), covered(pictureLines(image, inner)))
        << int(image);
  }
  EXPECT_TRUE(pictureBlocks(KeyImage::kNone, inner, 144).empty());
}

// Larger, every designed pixel moves to its scaled place and reaches to its neighbour's, at
// least as wide as the outlines: the 96-dpi picture enlarged, no line thinner, no gap in one.
TEST(KeyDrawingTest, LargerThePicturesAreEnlargedWithTheirLines) {
  const Rect inner{10, 20, 91, 68};
  for (int dpi : {120, 144, 192}) {
    const int width = keyLineWidth(dpi);
    for (uint8_t image = 0; image <= KeyImage::kNumPadEnter; ++image) {
      const std::set<std::pair<int, int>> big = covered(pictureBlocks(image, inner, dpi));
      // The designed pixels, relative to where the picture is anchored.
      const bool arrow = image >= KeyImage::kArrowUp && image <= KeyImage::kArrowRight;
      const Point at = arrow ? Point{50, 44} : Point{10, 20};
      std::set<std::pair<int, int>> expected;
      for (auto [x, y] : covered(pictureLines(image, {0, 0, arrow ? 0 : 81, arrow ? 0 : 48}))) {
        const auto size = [&](int d) {
          return std::max(width, scaleToDpi(d + 1, dpi) - scaleToDpi(d, dpi));
        };
        const int left = at.x + scaleToDpi(x, dpi), top = at.y + scaleToDpi(y, dpi);
        for (int dy = 0; dy < size(y); ++dy) {
          for (int dx = 0; dx < size(x); ++dx) expected.insert({left + dx, top + dy});
        }
      }
      EXPECT_EQ(big, expected) << dpi << " image " << int(image);
    }
  }
  // The Backspace's shaft, designed from x + 4 to x + 27 on row y + 8, one pixel high: at
  // 144 dpi from x + 6 to x + 41 (40.5 rounded), two pixels high and wide.
  const auto shaft = pictureBlocks(KeyImage::kBackspace, inner, 144).front();
  EXPECT_EQ(shaft, (Rect{10 + 6, 20 + 12, 10 + 41 + 2, 20 + 12 + 2}));
}

}  // namespace
}  // namespace orvanta
