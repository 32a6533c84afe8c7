// How the desktop alert is drawn: the gradient rule, its parts' places, its background, its
// close button and its two status pictures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "alert/alert_button.h"
#include "alert/desktop_alert_look.h"
#include "alert/status_pictures.h"
#include "base/gradient.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(GradientTest, BandsFollowTheRule) {
  struct Case {
    const char* name;
    Rgb from, to;
    int height, bands;
    std::vector<GradientBand> expected;
  };
  const Rgb black{0, 0, 0};
  const Rgb white{255, 255, 255};
  const Rgb grey{10, 20, 30};
  const Case cases[] = {
      {"one band fills with the start colour", black, white, 5, 1, {{0, 5, black}}},
      {"no band fills with the start colour", black, white, 5, 0, {{0, 5, black}}},
      {"equal colours fill with the start colour", grey, grey, 9, 9, {{0, 9, grey}}},
      {"two bands are the two colours", black, white, 4, 2, {{0, 2, black}, {2, 2, white}}},
      {"each channel is rounded to the nearest",
       black,
       {255, 10, 2},
       3,
       3,
       {{0, 1, black}, {1, 1, {128, 5, 1}}, {2, 1, {255, 10, 2}}}},
      {"falling channels are rounded too",
       {100, 100, 100},
       {33, 0, 200},
       4,
       4,
       {{0, 1, {100, 100, 100}},
        {1, 1, {78, 67, 133}},
        {2, 1, {55, 33, 167}},
        {3, 1, {33, 0, 200}}}},
      {"leftover rows at the bottom take the end colour",
       black,
       white,
       11,
       3,
       {{0, 3, black}, {3, 3, {128, 128, 128}}, {6, 3, white}, {9, 2, white}}},
      {"more bands than rows leaves every row to the end colour",
       black,
       white,
       3,
       4,
       {{0, 3, white}}},
      {"nothing to fill", black, white, 0, 4, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(gradientBands(c.from, c.to, c.height, c.bands), c.expected) << c.name;
}

TEST(DesktopAlertLookTest, PartsSitWhereTheAlertPlacesThem) {
  const DesktopAlertLayout l = layoutDesktopAlert(kDesktopAlertWidth, 50, 50);
  EXPECT_EQ(l.imIcon, (AlertBox{8, 13, 50, 50}));
  EXPECT_EQ(l.lblHeader.left, 63);
  EXPECT_EQ(l.lblHeader.top, 13);
  EXPECT_EQ(l.lblText, (AlertBox{71, 29, 225, 13}));
  EXPECT_EQ(l.tbClose, (AlertBox{312, 10, 15, 15}));
  EXPECT_EQ(l.tbDropDown.left, 296);
}

TEST(DesktopAlertLookTest, BackgroundIsStripThenBodyBandsThenTheFrame) {
  const DesktopAlertColors colors;
  const auto fills = desktopAlertBackground(kDesktopAlertWidth, kDesktopAlertHeight, colors);
  // Eight one-row bands for the strip, 66 for the body (rows 9 to 74), four frame lines.
  ASSERT_EQ(fills.size(), 8u + 66u + 4u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(fills[i].box, (AlertBox{0, i, 329, 1}));
  EXPECT_EQ(fills[0].color, colors.CaptionFrom);
  EXPECT_EQ(fills[7].color, colors.CaptionTo);
  for (int i = 0; i < 66; ++i) EXPECT_EQ(fills[8 + i].box, (AlertBox{0, 9 + i, 329, 1}));
  EXPECT_EQ(fills[8].color, colors.WindowFrom);
  EXPECT_EQ(fills[8 + 65].color, colors.WindowTo);
  // Row 8 keeps the window's own background.
  EXPECT_FALSE(std::any_of(fills.begin(), fills.end() - 4, [](const SolidFill& f) {
    return f.box.top <= 8 && f.box.top + f.box.height > 8;
  }));
  EXPECT_THAT(
      std::vector<SolidFill>(fills.end() - 4, fills.end()),
      ElementsAre(SolidFill{{0, 0, 329, 1}, kFrameColor}, SolidFill{{0, 75, 329, 1}, kFrameColor},
                  SolidFill{{0, 0, 1, 76}, kFrameColor}, SolidFill{{328, 0, 1, 76}, kFrameColor}));
}

TEST(DesktopAlertLookTest, ATallBodyIsDrawnWith32Bands) {
  const auto fills = desktopAlertBackground(100, 300, DesktopAlertColors{});
  // 8 strip bands, 32 bands of 9 rows over the 290-row body and its 2 leftover rows, a frame.
  ASSERT_EQ(fills.size(), 8u + 33u + 4u);
  EXPECT_EQ(fills[8 + 31].box, (AlertBox{0, 9 + 31 * 9, 100, 9}));
  EXPECT_EQ(fills[8 + 32].box, (AlertBox{0, 9 + 288, 100, 2}));
}

TEST(AlertButtonTest, LooksAndClicksFollowThePointer) {
  enum Event { over, off, down, downOff, up, upOff, captureLost };
  struct Case {
    const char* name;
    std::vector<Event> events;
    ButtonLook look;
    int clicks;
  };
  const Case cases[] = {
      {"untouched", {}, ButtonLook::normal, 0},
      {"pointer over it", {over}, ButtonLook::hot, 0},
      {"pointer gone", {over, off}, ButtonLook::normal, 0},
      {"held down", {over, down}, ButtonLook::pressed, 0},
      {"held, dragged off", {over, down, off}, ButtonLook::normal, 0},
      {"held, dragged off and back", {over, down, off, over}, ButtonLook::pressed, 0},
      {"clicked", {over, down, up}, ButtonLook::hot, 1},
      {"released elsewhere", {over, down, upOff}, ButtonLook::normal, 0},
      {"pressed elsewhere, released on it", {downOff, over, up}, ButtonLook::hot, 0},
      {"capture lost", {over, down, captureLost, up}, ButtonLook::hot, 0},
  };
  for (const Case& c : cases) {
    AlertButton b;
    int clicks = 0;
    for (const Event e : c.events) {
      switch (e) {
        case over:
        case off:
          b.pointerMoved(e == over);
          break;
        case down:
        case downOff:
          EXPECT_EQ(b.pressed(e == down), e == down) << c.name;
          break;
        case up:
        case upOff:
          clicks += b.released(e == up);
          break;
        case captureLost:
          b.captureLost();
          break;
      }
    }
    EXPECT_EQ(b.look(), c.look) << c.name;
    EXPECT_EQ(clicks, c.clicks) << c.name;
  }
}

struct Picture {
  explicit Picture(int index, int size = kStatusPictureSize)
      : size(size), pixels(drawStatusPicture(index, size)) {}
  const Rgba& at(int x, int y) const { return pixels[y * size + x]; }
  // The smallest box around the pixels that are not fully transparent.
  AlertBox extent() const {
    int left = size, top = size, right = -1, bottom = -1;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        if (at(x, y).a == 0) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    return {left, top, right - left + 1, bottom - top + 1};
  }
  int size;
  std::vector<Rgba> pixels;
};

TEST(StatusPicturesTest, GlobeOnATransparentBackground) {
  const Picture globe(kPictureGlobe);
  ASSERT_EQ(globe.pixels.size(), 50u * 50u);
  EXPECT_EQ(globe.extent(), (AlertBox{10, 9, 29, 32}));
  for (auto [x, y] : {std::pair{0, 0}, std::pair{49, 0}, std::pair{0, 49}, std::pair{49, 49}})
    EXPECT_EQ(globe.at(x, y).a, 0) << x << "," << y;
  // Opaque over the sphere (centred at 24.5, 23.5), with blue oceans and green land on it.
  int blue = 0, green = 0;
  for (int y = 9; y < 38; ++y) {
    for (int x = 10; x < 39; ++x) {
      const double dx = x + 0.5 - 24.5, dy = y + 0.5 - 23.5;
      if (dx * dx + dy * dy > 13.5 * 13.5) continue;
      const Rgba& p = globe.at(x, y);
      EXPECT_EQ(p.a, 255) << x << "," << y;
      blue += p.b > p.r + 40 && p.b > p.g;
      green += p.g > p.r + 40 && p.g > p.b;
    }
  }
  EXPECT_GT(blue, 150);
  EXPECT_GT(green, 60);
}

TEST(StatusPicturesTest, TheSecondAddsARedBadgeWithAWhiteXAtTheLowerRight) {
  const Picture globe(kPictureGlobe);
  const Picture badged(kPictureGlobeWithBadge);
  AlertBox changed{50, 50, 0, 0};
  int right = 0, bottom = 0;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 50; ++x) {
      const Rgba& a = globe.at(x, y);
      const Rgba& b = badged.at(x, y);
      if (a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a) continue;
      changed.left = std::min(changed.left, x);
      changed.top = std::min(changed.top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_EQ(changed.left, 27);
  EXPECT_EQ(changed.top, 28);
  EXPECT_EQ(right, 40);
  EXPECT_EQ(bottom, 40);
  const Rgba& centre = badged.at(34, 34);  // where the X crosses
  EXPECT_GT(std::min({centre.r, centre.g, centre.b}), 200);
  const Rgba& red = badged.at(34, 30);  // between the X's upper arms
  EXPECT_GT(red.r, 150);
  EXPECT_LT(red.g, 90);
  EXPECT_LT(red.b, 90);
  EXPECT_EQ(red.a, 255);
}

// For a larger screen the same picture is drawn at that size: its parts at their scaled
// places, its colours those of the 50-pixel picture.
TEST(StatusPicturesTest, DrawnLargerItIsTheSamePictureAtThatScale) {
  const Picture design(kPictureGlobeWithBadge);
  for (int size : {63, 75, 100}) {
    const Picture big(kPictureGlobeWithBadge, size);
    ASSERT_EQ(big.pixels.size(), static_cast<size_t>(size * size));
    const double k = size / 50.0;
    const AlertBox d = design.extent(), e = big.extent();
    EXPECT_NEAR(e.left, d.left * k, 1.5) << size;
    EXPECT_NEAR(e.top, d.top * k, 1.5) << size;
    EXPECT_NEAR(e.width, d.width * k, 1.5) << size;
    EXPECT_NEAR(e.height, d.height * k, 1.5) << size;
    // Each designed pixel against the big one at its centre.
    double difference = 0;
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 50; ++x) {
        const Rgba& a = design.at(x, y);
        const Rgba& b = big.at(static_cast<int>((x + 0.5) * k), static_cast<int>((y + 0.5) * k));
        difference +=
            std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) + std::abs(a.a - b.a);
      }
    }
    EXPECT_LT(difference / (50 * 50 * 4), 6) << size;
    const Rgba& cross = big.at(static_cast<int>(34.5 * k), static_cast<int>(34.5 * k));
    EXPECT_GT(std::min({cross.r, cross.g, cross.b}), 200) << size;
  }
}

TEST(StatusPicturesTest, AnIndexBeyondTheTwoOrNoSizeGivesNoPicture) {
  EXPECT_TRUE(drawStatusPicture(2).empty());
  EXPECT_TRUE(drawStatusPicture(-1).empty());
  EXPECT_TRUE(drawStatusPicture(kPictureGlobe, 0).empty());
}

}  // namespace
}  // namespace orvanta
