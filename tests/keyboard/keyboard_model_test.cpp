// The key model: keys built for the input language, captions from the input layout,
// looks and the repaints they ask for.
#include "keyboard/keyboard_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "keyboard/keyboard_rig.h"

namespace orvanta {
namespace {

using test::KeyboardRig;
using test::RecordingView;

std::vector<size_t> rowSizes(const KeyboardModel& keyboard) {
  std::vector<size_t> sizes;
  for (const TCustomKeyboardButton& key : keyboard.Buttons()) {
    if (sizes.size() <= static_cast<size_t>(key.row)) sizes.resize(key.row + 1);
    ++sizes[key.row];
  }
  return sizes;
}

TEST(KeyboardModelTest, TheInputLanguageChoosesTheLayout) {
  struct Case {
    LocaleNames names;
    const char* tag;
    const char* layout;
    std::vector<size_t> rows;
  };
  const Case cases[] = {
      {{"pt", "BR"}, "pt-BR", "Standard102", {15, 15, 13, 15, 8}},
      {{"en", "US"}, "en-US", "Standard101", {15, 15, 13, 14, 8}},
      {{"en", "GB"}, "en-GB", "Standard102", {15, 15, 13, 15, 8}},
      {{"ja", "JP"}, "ja-JP", "Standard106", {16, 15, 13, 15, 11}},
      {{"zh", "CN"}, "zh-CN", "Standard101", {15, 15, 13, 14, 8}},
  };
  for (const Case& c : cases) {
    KeyboardRig rig(c.names);
    const KeyboardModel& keyboard = rig.built();
    EXPECT_EQ(keyboard.language(), c.tag);
    EXPECT_EQ(keyboard.currentLayout()->KeyboardName, c.layout);
    EXPECT_EQ(rowSizes(keyboard), c.rows) << c.tag;
    EXPECT_EQ(keyboard.constrain({0, 0}), (KeyboardSize{550, 180}));
  }
}

TEST(KeyboardModelTest, ANewKeyStartsNormalUnlatchedAndFree) {
  KeyboardRig rig;
  const KeyboardModel& keyboard = rig.built();
  for (const TCustomKeyboardButton& key : keyboard.Buttons()) {
    EXPECT_EQ(key.State, KeyLook::dsNormal);
    EXPECT_FALSE(key.Down);
    EXPECT_EQ(key.ID, -1);
    EXPECT_EQ(key.Modifier, !key.Key.ModifierName.empty());
  }
  EXPECT_EQ(rig.key(15).KeyImage, KeyImage::kTab);
  EXPECT_EQ(rig.key(15).ClientRect(), (Rect{0, 38, 132, 70}));  // row 1: 2 px above, 2 below
}

TEST(KeyboardModelTest, NamelessInputLanguageFailsTheCreation) {
  const std::optional<LocaleNames> failures[] = {std::nullopt, LocaleNames{"pt", ""},
                                                 LocaleNames{"", "BR"}};
  for (const auto& names : failures) {
    test::FakeKeyboardTranslation translation(test::usEnglishKeys());
    test::FakeInputLanguage language(names);
    test::FakeTimerService clock;
    test::FakeTimer timer(clock);
    RecordingView view;
    TKeyboardLayouts layouts = test::shippedLayouts();
    try {
      KeyboardModel keyboard({layouts, translation, language, timer}, view);
      ADD_FAILURE() << "created without a language";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Error retrieving locale information");
    }
  }
}

TEST(KeyboardModelTest, AnInputLanguageChangeRebuildsForTheNewLanguage) {
  KeyboardRig rig({"pt", "BR"}, test::brazilianKeys());
  KeyboardModel& keyboard = rig.built();
  EXPECT_EQ(rig.key(58).Caption, "Maiú.");
  EXPECT_EQ(rig.key(39).Caption, "ç");

  rig.language.names = LocaleNames{"en", "US"};
  rig.translation.setKeys(test::usEnglishKeys());
  keyboard.inputLanguageChanged();
  EXPECT_EQ(keyboard.language(), "en-US");
  EXPECT_EQ(keyboard.currentLayout()->KeyboardName, "Standard101");
  EXPECT_EQ(keyboard.Buttons().size(), 65u);
  EXPECT_EQ(rig.key(58).Caption, "Caps");
  EXPECT_EQ(rig.key(39).Caption, ";");
  EXPECT_EQ(rig.view.invalidations, 1);  // one full repaint for the whole change
}

TEST(KeyboardModelTest, AFailedInputLanguageChangeKeepsTheKeyboard) {
  KeyboardRig rig({"pt", "BR"}, test::brazilianKeys());
  KeyboardModel& keyboard = rig.built();
  rig.language.names.reset();
  EXPECT_THAT([&] { keyboard.inputLanguageChanged(); },
              ::testing::ThrowsMessage<Exception>("Error retrieving locale information"));
  EXPECT_EQ(keyboard.language(), "pt-BR");

  // A family no layout has: building leaves the keyboard empty without a word, a language
  // change says it failed.
  keyboard.setLayout("Compact");
  EXPECT_TRUE(keyboard.Buttons().empty());
  rig.language.names = LocaleNames{"en", "US"};
  EXPECT_THAT([&] { keyboard.inputLanguageChanged(); },
              ::testing::ThrowsMessage<Exception>("Failed to change input language"));
  EXPECT_EQ(keyboard.language(), "pt-BR");
}

TEST(KeyboardModelTest, CapsLockOnAtThePlatformStartsTheCapsKeyLatched) {
  KeyboardRig rig({"en", "US"}, test::usEnglishKeys(), /*capsLock=*/true);
  const KeyboardModel& keyboard = rig.built();
  const TCustomKeyboardButton& caps = rig.key(58);
  EXPECT_TRUE(caps.Down);
  EXPECT_EQ(caps.State, KeyLook::dsPressed);
  EXPECT_EQ(keyboard.latched(), std::vector<size_t>{rig.keyIndex(58)});
  EXPECT_EQ(rig.key(16).Caption, "Q");
  EXPECT_EQ(rig.key(2).Caption, "1");
}

// Captions from the input layout under the latched modifiers, for both input layouts.
TEST(KeyboardModelTest, CaptionsFollowTheInputLayoutAndTheLatchedModifiers) {
  struct Probe {
    int scanCode;
    std::string caption;
    int nth = 0;
  };
  struct Case {
    const char* what;
    LocaleNames names;
    bool brazilian;
    std::vector<std::pair<int, int>> latched;  // modifier keys: scan code (-2 Fn), nth
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {"en-US plain",
       {"en", "US"},
       false,
       {},
       {{16, "q"},
        {39, ";"},
        {2, "1"},
        {57, " "},
        {1, "Esc"},
        {83, "Del"},
        {29, "Ctrl"},
        {56, "Alt", 1}}},
      {"en-US Shift", {"en", "US"}, false, {{42, 0}}, {{16, "Q"}, {39, ":"}, {2, "!"}}},
      {"en-US right Shift", {"en", "US"}, false, {{42, 1}}, {{16, "Q"}}},
      {"en-US Caps", {"en", "US"}, false, {{58, 0}}, {{16, "Q"}, {39, ";"}, {2, "1"}}},
      {"en-US Caps and Shift",
       {"en", "US"},
       false,
       {{58, 0}, {42, 0}},
       {{16, "q"}, {39, ":"}, {2, "!"}}},
      {"en-US Fn", {"en", "US"}, false, {{-2, 0}}, {{2, "F1"}, {7, "F6"}, {13, "F12"}, {16, "q"}}},
      {"pt-BR plain",
       {"pt", "BR"},
       true,
       {},
       {{39, "ç"}, {26, "´"}, {40, "~"}, {58, "Maiú."}, {83, "Del"}, {-1, "AltGr"}, {86, "\\"}}},
      {"pt-BR Caps", {"pt", "BR"}, true, {{58, 0}}, {{39, "Ç"}, {16, "Q"}, {2, "1"}}},
      {"pt-BR Shift", {"pt", "BR"}, true, {{42, 0}}, {{7, "¨"}, {26, "`"}, {39, "Ç"}}},
      {"pt-BR Caps and Shift",
       {"pt", "BR"},
       true,
       {{58, 0}, {42, 1}},
       {{39, "ç"}, {16, "q"}, {7, "¨"}}},
      {"es-ES", {"es", "ES"}, false, {}, {{83, "Supr"}, {58, "Bloq May"}}},
      {"de-DE", {"de", "DE"}, false, {}, {{83, "Entf"}, {58, "Feststell"}, {29, "Strg"}}},
      {"fr-FR Caps", {"fr", "FR"}, false, {{58, 0}}, {{2, "!"}, {83, "Suppr"}}},
      {"cs-CZ Caps", {"cs", "CZ"}, false, {{58, 0}}, {{3, "Ě"}, {40, "§"}, {2, "1"}}},
  };
  for (const Case& c : cases) {
    KeyboardRig rig(c.names, c.brazilian ? test::brazilianKeys() : test::usEnglishKeys());
    KeyboardModel& keyboard = rig.built();
    for (const auto& [scanCode, nth] : c.latched) {
      keyboard.setLatched(rig.keyIndex(scanCode, nth), true);
    }
    keyboard.Redraw();
    for (const Probe& p : c.probes) {
      EXPECT_EQ(rig.key(p.scanCode, p.nth).Caption, p.caption) << c.what << " sc " << p.scanCode;
    }
  }
}

TEST(KeyboardModelTest, FnCaptionsAreSmaller) {
  KeyboardRig rig;
  KeyboardModel& keyboard = rig.built();
  EXPECT_EQ(keyboard.fontSize(rig.key(2)), 14);
  keyboard.setLatched(rig.keyIndex(-2), true);
  keyboard.Redraw();
  EXPECT_EQ(keyboard.fontSize(rig.key(2)), 10);
  EXPECT_EQ(keyboard.fontSize(rig.key(16)), 14);
  // Any latched modifier with an entry sets the size, whatever the entry's language.
  keyboard.setLatched(rig.keyIndex(-2), false);
  keyboard.setLatched(rig.keyIndex(58), true);
  EXPECT_EQ(keyboard.fontSize(rig.key(3)), 14);
  EXPECT_EQ(keyboard.fontSize(rig.key(16)), 14);
}

TEST(KeyboardModelTest, PicturesStayAndTranslationSkipsKeysWithCaptions) {
  KeyboardRig rig;
  rig.built();
  for (int scanCode : {14, 15, 28, 72, 75, 77, 80}) {
    EXPECT_NE(rig.key(scanCode).KeyImage, KeyImage::kNone) << scanCode;
  }
  for (const auto& [vk, scanCode] : rig.translation.translated) {
    EXPECT_NE(scanCode, 1) << "Esc has its caption";
    EXPECT_NE(scanCode, 15) << "Tab has its picture";
  }
}

TEST(KeyboardModelTest, ReleaseLooksWaitForTheChangeTimer) {
  KeyboardRig rig;
  KeyboardModel& keyboard = rig.built();
  const size_t q = rig.keyIndex(16);
  const size_t w = rig.keyIndex(17);
  keyboard.setLook(q, KeyLook::dsPressed, true);
  keyboard.setLook(w, KeyLook::dsPressed, true);
  EXPECT_EQ(rig.view.painted, (std::vector<RecordingView::Painted>{{16, KeyLook::dsPressed},
                                                                   {17, KeyLook::dsPressed}}));
  rig.view.painted.clear();

  // Releases staggered as quick taps come: a later one must not put off the earlier one.
  keyboard.queueLook(q, KeyLook::dsNormal);
  rig.clock.advance(60);
  keyboard.queueLook(w, KeyLook::dsNormal);
  rig.clock.advance(39);
  EXPECT_EQ(keyboard.Buttons(q).State, KeyLook::dsPressed);
  EXPECT_TRUE(rig.view.painted.empty());
  rig.clock.advance(1);
  EXPECT_EQ(rig.view.painted, (std::vector<RecordingView::Painted>{{16, KeyLook::dsNormal},
                                                                   {17, KeyLook::dsNormal}}));
  EXPECT_FALSE(rig.changeTimer.enabled());
  EXPECT_EQ(rig.view.invalidations, 0);  // a look change never repaints the whole keyboard
}

TEST(KeyboardModelTest, ALookSetAtOnceCancelsTheQueuedOne) {
  KeyboardRig rig;
  KeyboardModel& keyboard = rig.built();
  const size_t q = rig.keyIndex(16);
  keyboard.queueLook(q, KeyLook::dsNormal);
  keyboard.setLook(q, KeyLook::dsPressed, true);  // pressed again before the timer
  rig.clock.advance(200);
  EXPECT_EQ(keyboard.Buttons(q).State, KeyLook::dsPressed);
}

TEST(KeyboardModelTest, RebuildingForgetsEveryKeyOfTheOldSet) {
  KeyboardRig rig({"pt", "BR"}, test::brazilianKeys());
  KeyboardModel& keyboard = rig.built();
  const size_t lastKey = keyboard.Buttons().size() - 1;  // no such key in the 101 layout
  keyboard.setLatched(rig.keyIndex(42), true);
  keyboard.queueLook(lastKey, KeyLook::dsNormal);

  rig.language.names = LocaleNames{"en", "US"};
  keyboard.inputLanguageChanged();
  EXPECT_TRUE(keyboard.latched().empty());
  EXPECT_FALSE(rig.changeTimer.enabled());
  rig.view.painted.clear();
  rig.clock.advance(200);
  EXPECT_TRUE(rig.view.painted.empty());
  EXPECT_EQ(rig.key(16).Caption, "q");  // Shift is no longer latched
}

TEST(KeyboardModelTest, DisabledKeysLookDisabledUntilEnabled) {
  KeyboardRig rig({"en", "US"}, test::usEnglishKeys(), /*capsLock=*/true);
  KeyboardModel& keyboard = rig.built();
  keyboard.setEnabled(false);
  keyboard.Redraw();
  for (const TCustomKeyboardButton& key : keyboard.Buttons()) {
    EXPECT_EQ(key.State, KeyLook::dsDisabled) << key.Key.ScanCode;
  }
  keyboard.setEnabled(true);
  EXPECT_EQ(rig.key(58).State, KeyLook::dsPressed);  // still latched
  EXPECT_EQ(rig.key(16).State, KeyLook::dsNormal);
}

TEST(KeyboardModelTest, EveryLookPropertyAsksForOneRepaint) {
  KeyboardRig rig;
  KeyboardModel& keyboard = rig.built();
  keyboard.setDrawingStyle(KeyboardDrawingStyle::dsGradient);
  keyboard.setGradientStart({128, 128, 128});
  keyboard.setGradientEnd({192, 192, 192});
  keyboard.Redraw();
  EXPECT_EQ(rig.view.invalidations, 4);
  keyboard.setSize({848, 180});  // the same size: nothing to lay out
  keyboard.setLayout("Standard");
  EXPECT_EQ(rig.view.invalidations, 4);
  keyboard.setSize({900, 180});
  EXPECT_EQ(rig.view.invalidations, 5);
}

}  // namespace
}  // namespace orvanta
