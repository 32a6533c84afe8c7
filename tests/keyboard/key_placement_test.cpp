// Where the keys lie for the keyboard's size, over the shipped layouts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboard/keyboard_rig.h"

namespace orvanta {
namespace {

using test::KeyboardRig;

bool stretches(const TCustomKeyboardButton& key) {
  return key.Key.has(TVirtualKeyFlag::kfStretch);
}

// Each row starts at 0 and its keys follow each other without gaps.
void expectRowsContiguous(const std::vector<TCustomKeyboardButton>& keys) {
  for (size_t i = 0; i < keys.size(); ++i) {
    const bool first = i == 0 || keys[i].row != keys[i - 1].row;
    const int expected = first ? 0 : keys[i - 1].Left + keys[i - 1].Width;
    EXPECT_EQ(keys[i].Left, expected) << "key " << i;
  }
}

TEST(KeyPlacementTest, AtTheNominalWidthOnlyStretchKeysAndTheLastKeyChange) {
  const LocaleNames languages[] = {{"en", "US"}, {"pt", "BR"}, {"ja", "JP"}};
  for (const LocaleNames& language : languages) {
    KeyboardRig rig(language);
    const auto& keys = rig.built({848, 180}).Buttons();
    const std::string name = rig.keyboard->model.currentLayout()->KeyboardName;
    ASSERT_FALSE(keys.empty()) << name;
    for (size_t i = 0; i + 1 < keys.size(); ++i) {
      if (!stretches(keys[i])) {
        EXPECT_EQ(keys[i].Width, keys[i].Key.Width) << name << " key " << i;
      }
    }
    EXPECT_EQ(keys.back().Width, keys.back().Key.Width - 1) << name;
    expectRowsContiguous(keys);
  }
}

TEST(KeyPlacementTest, StretchKeysShareTheRestOfTheirRow) {
  KeyboardRig rig;
  rig.built({848, 180});
  struct Case {
    int scanCode;
    int nth;
    int width;
  };
  const Case cases[] = {
      {1, 0, 101},  {14, 0, 123},  // Esc, Backspace: 225 px left for 64 + 78 stored
      {15, 0, 134}, {83, 0, 90},   // Tab, Del
      {58, 0, 155}, {28, 0, 165},  // Caps, Enter
      {42, 0, 179}, {42, 1, 93},   // left and right Shift
      {57, 0, 404},                // the space bar takes all of row 4's rest
  };
  for (const Case& c : cases) EXPECT_EQ(rig.key(c.scanCode, c.nth).Width, c.width) << c.scanCode;
}

TEST(KeyPlacementTest, WidthsScaleWithTheKeyboard) {
  struct Case {
    int width;    // asked for
    int laidOut;  // after the layout's minimum width
    int esc, digit, backspace, space, lastKey;
  };
  const Case cases[] = {
      {848, 848, 101, 48, 123, 404, 47},   {550, 550, 66, 31, 81, 264, 30},
      {549, 550, 66, 31, 81, 264, 30},     {300, 550, 66, 31, 81, 264, 30},
      {1280, 1280, 155, 72, 189, 613, 71}, {1920, 1920, 233, 108, 283, 918, 107},
  };
  for (const Case& c : cases) {
    KeyboardRig rig;
    const KeyboardModel& keyboard = rig.built({c.width, 180});
    EXPECT_EQ(keyboard.size().width, c.laidOut) << c.width;
    EXPECT_EQ(rig.key(1).Width, c.esc) << c.width;
    EXPECT_EQ(rig.key(2).Width, c.digit) << c.width;
    EXPECT_EQ(rig.key(14).Width, c.backspace) << c.width;
    EXPECT_EQ(rig.key(57).Width, c.space) << c.width;
    EXPECT_EQ(keyboard.Buttons().back().Width, c.lastKey) << c.width;
    // Row 0 ends at the keyboard's edge; the last key ends the bottom row there too.
    EXPECT_EQ(rig.key(14).BoundsRect().right, c.laidOut) << c.width;
    EXPECT_EQ(keyboard.Buttons().back().BoundsRect().right, c.laidOut) << c.width;
    expectRowsContiguous(keyboard.Buttons());
  }
}

TEST(KeyPlacementTest, RowsShareTheHeightTheFirstOnesTaller) {
  struct Case {
    int height;
    std::vector<int> tops;
    std::vector<int> heights;
  };
  const Case cases[] = {
      {180, {0, 36, 72, 108, 144}, {36, 36, 36, 36, 36}},
      {179, {0, 36, 72, 108, 144}, {36, 36, 36, 36, 36}},  // kept at the minimum
      {181, {0, 37, 73, 109, 145}, {37, 36, 36, 36, 36}},
      {184, {0, 37, 74, 111, 148}, {37, 37, 37, 37, 36}},
      {262, {0, 53, 106, 158, 210}, {53, 53, 52, 52, 52}},
  };
  for (const Case& c : cases) {
    KeyboardRig rig;
    const auto& keys = rig.built({848, c.height}).Buttons();
    for (const TCustomKeyboardButton& key : keys) {
      EXPECT_EQ(key.Top, c.tops[key.row]) << c.height << " row " << key.row;
      EXPECT_EQ(key.Height, c.heights[key.row]) << c.height << " row " << key.row;
    }
  }
}

TEST(KeyPlacementTest, TallNumericPadKeysReachIntoTheNextRow) {
  struct Case {
    KeyboardSize size;
    Rect plus;  // bounds of the tall "+" (row 1) and Enter (row 3)
    Rect enter;
    int digitWidth;
  };
  const Case cases[] = {
      // 229 = 4 rows of 46 + one of 45: "+" grows by 45, its bottom margin 2 and 1 more as
      // row 2 is one of the taller rows; Enter grows by 45 and 2, row 4 being a short one.
      {{190, 229}, {132, 46, 178, 140}, {132, 138, 178, 231}, 44},
      // At the minimum size every row is 30 high.
      {{100, 100}, {123, 30, 166, 92}, {123, 90, 166, 152}, 41},
  };
  for (const Case& c : cases) {
    KeyboardRig rig;
    KeyboardModel& keyboard = rig.built(c.size);
    keyboard.setLayout("NumPad");
    const auto& keys = keyboard.Buttons();
    ASSERT_EQ(keys.size(), 17u);
    EXPECT_EQ(keys[7].Key.Vk, 107);
    EXPECT_EQ(keys[7].BoundsRect(), c.plus) << c.size.width;
    EXPECT_EQ(keys[14].Key.Vk, 13);
    EXPECT_EQ(keys[14].BoundsRect(), c.enter) << c.size.width;
    EXPECT_EQ(keys[4].Width, c.digitWidth) << c.size.width;
  }
}

}  // namespace
}  // namespace orvanta
