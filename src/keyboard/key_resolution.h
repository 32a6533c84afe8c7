// What a key of the on-screen keyboard means for the keyboard's input language and the
// modifier keys latched on it, and the codes that meaning stands for.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "base/keyboard_translation.h"
#include "layouts/virtual_key_layout.h"

namespace orvanta {

// The part of a language tag before its first "-" (the whole tag when it has none).
std::string_view languagePrefix(std::string_view tag);

// The layout key with the entry for `language` (the full tag, else its prefix) applied, or,
// when a modifier named in `latched` is latched, the first modifier entry for it that serves
// every language, the tag or its prefix. Entries are searched from the first element.
TVirtualKey resolveKey(const TVirtualKey& key, std::string_view language,
                       std::span<const std::string> latched);

struct KeyCodes {
  int virtualKey = 0;
  int scanCode = 0;
  bool operator==(const KeyCodes&) const = default;
};

// A code pair completed through the input layout: a missing code (-1) is mapped from the
// other one; a pair with neither code (the Fn key's -1, -2) is 0, 0.
KeyCodes keyCodes(TKeyData data, KeyboardTranslation& translation);

}  // namespace orvanta
