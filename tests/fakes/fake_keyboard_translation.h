// Input layouts as tables, and an input language that can be told what to report.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/input_language.h"
#include "base/keyboard_translation.h"

namespace orvanta::test {

struct FakeKey {
  int scanCode;
  int virtualKey;
  std::string text;  // unshifted; empty when the key types nothing
  std::string shifted;
  bool dead = false;  // unshifted
  bool deadShifted = false;
};

class FakeKeyboardTranslation final : public KeyboardTranslation {
 public:
  explicit FakeKeyboardTranslation(std::vector<FakeKey> keys) { setKeys(std::move(keys)); }

  // Switches to another input layout.
  void setKeys(std::vector<FakeKey> keys) { keys_ = std::move(keys); }

  int virtualKeyFromScanCode(int scanCode) override {
    const FakeKey* k = find([&](const FakeKey& f) { return f.scanCode == scanCode; });
    return k ? k->virtualKey : 0;
  }
  int scanCodeFromVirtualKey(int virtualKey) override {
    const FakeKey* k = find([&](const FakeKey& f) { return f.virtualKey == virtualKey; });
    return k ? k->scanCode : 0;
  }
  std::string keyText(int virtualKey, int scanCode, bool shift) override {
    translated.push_back({virtualKey, scanCode});
    const FakeKey* k = find([&](const FakeKey& f) { return f.virtualKey == virtualKey; });
    if (!k || virtualKey == 0) return {};
    return shift ? k->shifted : k->text;
  }
  bool isDeadKey(int virtualKey, int /*scanCode*/) override {
    const FakeKey* k = find([&](const FakeKey& f) { return f.virtualKey == virtualKey; });
    return k && (shiftDown ? k->deadShifted : k->dead);
  }
  bool capsLockOn() override { return capsLock; }

  bool capsLock = false;
  bool shiftDown = false;                       // the platform's keyboard state, for isDeadKey
  std::vector<std::pair<int, int>> translated;  // (virtual key, scan code) of every keyText

 private:
  template <class Match>
  const FakeKey* find(Match match) const {
    for (const FakeKey& k : keys_) {
      if (match(k)) return &k;
    }
    return nullptr;
  }
  std::vector<FakeKey> keys_;
};

// The character keys of the US English input layout, with the keys that carry codes only.
inline std::vector<FakeKey> usEnglishKeys() {
  std::vector<FakeKey> keys = {
      {1, 0x1B, "\x1b", "\x1b"}, {2, 0x31, "1", "!"},    {3, 0x32, "2", "@"},
      {4, 0x33, "3", "#"},       {5, 0x34, "4", "$"},    {6, 0x35, "5", "%"},
      {7, 0x36, "6", "^"},       {8, 0x37, "7", "&"},    {9, 0x38, "8", "*"},
      {10, 0x39, "9", "("},      {11, 0x30, "0", ")"},   {12, 0xBD, "-", "_"},
      {13, 0xBB, "=", "+"},      {14, 0x08, "\b", "\b"}, {15, 0x09, "\t", "\t"},
      {26, 0xDB, "[", "{"},      {27, 0xDD, "]", "}"},   {28, 0x0D, "\r", "\r"},
      {29, 0x11, "", ""},        {39, 0xBA, ";", ":"},   {40, 0xDE, "'", "\""},
      {41, 0xC0, "`", "~"},      {42, 0x10, "", ""},     {43, 0xDC, "\\", "|"},
      {51, 0xBC, ",", "<"},      {52, 0xBE, ".", ">"},   {53, 0xBF, "/", "?"},
      {54, 0xA1, "", ""},        {56, 0x12, "", ""},     {57, 0x20, " ", " "},
      {58, 0x14, "", ""},        {59, 0x70, "", ""},     {60, 0x71, "", ""},
      {72, 0x26, "", ""},        {75, 0x25, "", ""},     {77, 0x27, "", ""},
      {80, 0x28, "", ""},        {83, 0x2E, "", ""},     {86, 0xE2, "\\", "|"},
  };
  const std::pair<int, char> letters[] = {
      {16, 'q'}, {17, 'w'}, {18, 'e'}, {19, 'r'}, {20, 't'}, {21, 'y'}, {22, 'u'},
      {23, 'i'}, {24, 'o'}, {25, 'p'}, {30, 'a'}, {31, 's'}, {32, 'd'}, {33, 'f'},
      {34, 'g'}, {35, 'h'}, {36, 'j'}, {37, 'k'}, {38, 'l'}, {44, 'z'}, {45, 'x'},
      {46, 'c'}, {47, 'v'}, {48, 'b'}, {49, 'n'}, {50, 'm'}};
  for (const auto& [scanCode, letter] : letters) {
    const char upper = static_cast<char>(letter - 'a' + 'A');
    keys.push_back({scanCode, upper, std::string(1, letter), std::string(1, upper)});
  }
  return keys;
}

// The Brazilian ABNT2 input layout: the US one with its own symbol keys and dead keys.
inline std::vector<FakeKey> brazilianKeys() {
  std::vector<FakeKey> keys = usEnglishKeys();
  const FakeKey own[] = {
      {7, 0x36, "6", "¨", false, true},
      {26, 0xDB, "´", "`", true, true},
      {27, 0xDD, "[", "{"},
      {39, 0xBA, "ç", "Ç"},
      {40, 0xDE, "~", "^", true, true},
      {41, 0xC0, "'", "\""},
      {43, 0xDC, "]", "}"},
      {53, 0xBF, ";", ":"},
      {86, 0xE2, "\\", "|"},
      {115, 0xC1, "/", "?"},
  };
  for (const FakeKey& k : own) {
    std::erase_if(keys, [&](const FakeKey& f) { return f.scanCode == k.scanCode; });
    keys.push_back(k);
  }
  return keys;
}

class FakeInputLanguage final : public InputLanguage {
 public:
  explicit FakeInputLanguage(std::optional<LocaleNames> names) : names(std::move(names)) {}
  std::optional<LocaleNames> current() override { return names; }
  std::optional<LocaleNames> names;
};

}  // namespace orvanta::test
