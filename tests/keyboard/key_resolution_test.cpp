// A key's meaning for the language and the latched modifiers, and the codes it stands for.
#include "keyboard/key_resolution.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboard/keyboard_rig.h"

namespace orvanta {
namespace {

using test::KeyboardRig;

TEST(KeyResolutionTest, CodesAreCompletedThroughTheInputLayout) {
  test::FakeKeyboardTranslation translation(test::usEnglishKeys());
  struct Case {
    TKeyData data;
    KeyCodes codes;
  };
  const Case cases[] = {
      {{-1, 16}, {0x51, 16}},    // by scan code: the virtual key is mapped
      {{0x25, -1}, {0x25, 75}},  // by virtual key: the scan code is mapped
      {{17, 0}, {17, 0}},        // both given: used as they are (AltGr's combo keys)
      {{-1, -2}, {0, 0}},        // the Fn key has no code
      {{-1, -1}, {0, 0}},       {{-1, 99}, {0, 99}},  // a key the input layout does not know
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keyCodes(c.data, translation), c.codes) << c.data.Vk << "," << c.data.ScanCode;
  }
}

TEST(KeyResolutionTest, TheFullTagWinsOverItsPrefix) {
  TVirtualKey key;
  key.ScanCode = 30;
  TKeyLanguage prefix;
  prefix.Caption = "prefix";
  prefix.Language = "pt";
  TKeyLanguage full;
  full.Caption = "full";
  full.Language = "pt-BR";
  key.Languages = {prefix, full};  // the prefix's entry is searched first
  const std::vector<std::string> none;
  EXPECT_EQ(resolveKey(key, "pt-BR", none).Caption, "full");
  EXPECT_EQ(resolveKey(key, "pt-PT", none).Caption, "prefix");
  EXPECT_EQ(resolveKey(key, "en-US", none).Caption, "");
}

TEST(KeyResolutionTest, ShippedKeysForLanguagesAndLatchedModifiers) {
  struct Case {
    LocaleNames language;
    int scanCode;
    int nth;
    std::vector<std::string> latched;
    std::string caption;
    TKeyData codes;
    std::vector<TKeyData> combo;
  };
  const Case cases[] = {
      // The right Alt of the 101 layout is AltGr for Spanish, sent as Ctrl then Alt.
      {{"es", "MX"}, 56, 1, {}, "AltGr", {-1, -1}, {{17, 29}, {18, 56}}},
      {{"en", "US"}, 56, 1, {}, "Alt", {-1, 56}, {}},
      // The 102 layout's AltGr is a plain Alt for Bulgarian: its combo keys are not sent.
      {{"bg", "BG"}, -1, 0, {}, "Alt", {-1, 56}, {}},
      {{"pt", "BR"}, -1, 0, {}, "AltGr", {-1, -1}, {{17, 0}, {18, 0}}},
      // Fn turns the digit row into F-keys; its entry comes first, before a "fr" caps entry.
      {{"fr", "FR"}, 3, 0, {"fn", "caps"}, "F2", {-1, 60}, {}},
      {{"fr", "FR"}, 3, 0, {"caps"}, "", {-1, 3}, {}},
      {{"cs", "CZ"}, 3, 0, {"caps"}, "Ě", {-1, 3}, {}},
      {{"en", "US"}, 13, 0, {"fn"}, "F12", {-1, 70}, {}},
      // A caps entry for another language does not apply.
      {{"en", "US"}, 3, 0, {"caps"}, "", {-1, 3}, {}},
      {{"de", "DE"}, 58, 0, {}, "Feststell", {-1, 58}, {}},
      {{"pt", "BR"}, 58, 0, {}, "Maiú.", {-1, 58}, {}},
  };
  for (const Case& c : cases) {
    KeyboardRig rig(c.language);
    rig.built();
    const TVirtualKey& key = rig.key(c.scanCode, c.nth).Key;
    const TVirtualKey resolved = resolveKey(key, rig.keyboard->model.language(), c.latched);
    const std::string where = rig.keyboard->model.language() + " sc " + std::to_string(c.scanCode);
    EXPECT_EQ(resolved.Caption, c.caption) << where;
    EXPECT_EQ(resolved.Vk, c.codes.Vk) << where;
    EXPECT_EQ(resolved.ScanCode, c.codes.ScanCode) << where;
    ASSERT_EQ(resolved.ComboKeys.size(), c.combo.size()) << where;
    for (size_t i = 0; i < c.combo.size(); ++i) {
      EXPECT_EQ(resolved.ComboKeys[i].Vk, c.combo[i].Vk) << where;
      EXPECT_EQ(resolved.ComboKeys[i].ScanCode, c.combo[i].ScanCode) << where;
    }
  }
}

TEST(KeyResolutionTest, AModifierEntryWithVariantsAppliesTheVariantForTheLanguage) {
  TVirtualKey key;
  key.ScanCode = 30;
  key.Caption = "own";
  key.KeyImage = KeyImage::kTab;
  TKeyModifier entry;
  entry.Caption = "entry";
  entry.ScanCode = 31;
  entry.ModifierName = "shift";
  TKeyLanguage variant;
  variant.Caption = "de";
  variant.ScanCode = 32;
  variant.Language = "de";
  entry.Languages = {variant};
  key.Modifiers = {entry};
  const std::vector<std::string> shift{"shift"};

  const TVirtualKey german = resolveKey(key, "de-DE", shift);
  EXPECT_EQ(german.Caption, "de");
  EXPECT_EQ(german.ScanCode, 32);
  EXPECT_EQ(german.KeyImage, KeyImage::kTab);
  // No variant for the language: the key as its language makes it.
  const TVirtualKey english = resolveKey(key, "en-US", shift);
  EXPECT_EQ(english.Caption, "own");
  EXPECT_EQ(english.ScanCode, 30);
}

}  // namespace
}  // namespace orvanta
