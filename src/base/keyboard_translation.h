// The user's input layout as the on-screen keyboard reads it: code mapping, the text a key
// types, dead keys and the Caps Lock state.
#pragma once

#include <string>

namespace orvanta {

class KeyboardTranslation {
 public:
  virtual ~KeyboardTranslation() = default;

  // 0 when the input layout has no such key.
  virtual int virtualKeyFromScanCode(int scanCode) = 0;
  virtual int scanCodeFromVirtualKey(int virtualKey) = 0;
  // UTF-8 text the key types when every other key is up and Shift is down or up; a dead key
  // gives its own character. Leaves no dead key pending in the input layout.
  virtual std::string keyText(int virtualKey, int scanCode, bool shift) = 0;
  // Whether the key is a dead key under the keyboard state the platform has now.
  virtual bool isDeadKey(int virtualKey, int scanCode) = 0;
  virtual bool capsLockOn() = 0;
};

}  // namespace orvanta
