// The looks' colours and the line pictures, as data.
#include "keyboard/key_drawing.h"

#include <gtest/gtest.h>

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

TEST(KeyDrawingTest, FillAndCaptionPlaces) {
  const Rect drawn{100, 40, 148, 74};
  EXPECT_EQ(fillArea(drawn), (Rect{100, 40, 149, 75}));
  EXPECT_EQ(captionOrigin(drawn.inset(1)), (Point{105, 45}));
}

}  // namespace
}  // namespace orvanta
