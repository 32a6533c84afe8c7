// One key of the on-screen keyboard: its own copy of the layout key, what it shows, how it
// looks and where it lies.
#pragma once

#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "layouts/virtual_key_layout.h"

namespace orvanta {

enum class KeyLook { dsNormal, dsPressed, dsDisabled };

struct TCustomKeyboardButton {
  explicit TCustomKeyboardButton(const TVirtualKey& key)
      : Key(key), KeyImage(key.KeyImage), Modifier(!key.ModifierName.empty()) {}

  TVirtualKey Key;
  std::string Caption;
  uint8_t KeyImage;
  KeyLook State = KeyLook::dsNormal;
  bool Down = false;  // latched
  bool Modifier;
  int ID = -1;  // the pointer holding the key: 0 the mouse, a touch contact's id, -1 none
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int TopMargin = 0;
  int BottomMargin = 0;
  int row = 0;  // index of its row in the layout

  Rect BoundsRect() const { return {Left, Top, Left + Width, Top + Height}; }
  // The drawn key: the bounds without the margins.
  Rect ClientRect() const {
    return {Left + Key.LeftMargin, Top + TopMargin, Left + Width - Key.RightMargin,
            Top + Height - BottomMargin};
  }
  bool isCapsLock() const { return Key.Vk == 20 || Key.ScanCode == 58; }
  bool isShift() const { return Key.ScanCode == 42 || Key.ScanCode == 54; }
};

}  // namespace orvanta
