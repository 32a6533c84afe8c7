// KeyboardTranslation and InputLanguage on the platform's calls, for the calling thread's
// input layout.
#pragma once

#include "base/input_language.h"
#include "base/keyboard_translation.h"

namespace orvanta {

// MapVirtualKey, ToUnicodeEx, GetKeyboardState and GetKeyState.
class WinKeyboardTranslation final : public KeyboardTranslation {
 public:
  int virtualKeyFromScanCode(int scanCode) override;
  int scanCodeFromVirtualKey(int virtualKey) override;
  std::string keyText(int virtualKey, int scanCode, bool shift) override;
  bool isDeadKey(int virtualKey, int scanCode) override;
  bool capsLockOn() override;
};

// GetKeyboardLayout and GetLocaleInfo.
class WinInputLanguage final : public InputLanguage {
 public:
  std::optional<LocaleNames> current() override;
};

}  // namespace orvanta
