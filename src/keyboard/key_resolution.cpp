#include "keyboard/key_resolution.h"

#include <algorithm>

namespace orvanta {
namespace {

// Caption, then codes: combo keys replace the key's codes, other codes where they are given.
void applyLanguage(TVirtualKey& key, const TKeyLanguage& entry) {
  if (!entry.Caption.empty()) key.Caption = entry.Caption;
  if (!entry.ComboKeys.empty()) {
    key.ComboKeys = entry.ComboKeys;
    key.Vk = -1;
    key.ScanCode = -1;
    return;
  }
  // Codes of its own make the key a plain key: the combo keys it replaced are not sent.
  if (entry.Vk != -1 || entry.ScanCode != -1) key.ComboKeys.clear();
  if (entry.Vk != -1) key.Vk = entry.Vk;
  if (entry.ScanCode != -1) key.ScanCode = entry.ScanCode;
}

const TKeyLanguage* entryFor(const std::vector<TKeyLanguage>& entries, std::string_view language) {
  const auto find = [&](std::string_view wanted) -> const TKeyLanguage* {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const TKeyLanguage& e) { return e.Language == wanted; });
    return it == entries.end() ? nullptr : &*it;
  };
  if (const TKeyLanguage* exact = find(language)) return exact;
  return find(languagePrefix(language));
}

}  // namespace

std::string_view languagePrefix(std::string_view tag) {
  return tag.substr(0, tag.find('-'));
}

TVirtualKey resolveKey(const TVirtualKey& key, std::string_view language,
                       std::span<const std::string> latched) {
  TVirtualKey result = key;
  if (const TKeyLanguage* entry = entryFor(key.Languages, language)) applyLanguage(result, *entry);
  const std::string_view prefix = languagePrefix(language);
  for (const TKeyModifier& m : key.Modifiers) {
    const bool isLatched =
        std::find(latched.begin(), latched.end(), m.ModifierName) != latched.end();
    const bool serves = m.Language.empty() || m.Language == language || m.Language == prefix;
    if (!isLatched || !serves) continue;
    if (!m.Languages.empty()) {
      if (const TKeyLanguage* variant = entryFor(m.Languages, language)) {
        applyLanguage(result, *variant);
      }
      return result;
    }
    result.Caption = m.Caption;
    result.KeyImage = m.KeyImage;
    result.Vk = m.Vk;
    result.ScanCode = m.ScanCode;
    result.ComboKeys.clear();
    return result;
  }
  return result;
}

KeyCodes keyCodes(TKeyData data, KeyboardTranslation& translation) {
  if (data.Vk == -1 && data.ScanCode >= 0) {
    return {translation.virtualKeyFromScanCode(data.ScanCode), data.ScanCode};
  }
  if (data.Vk >= 0 && data.ScanCode == -1) {
    return {data.Vk, translation.scanCodeFromVirtualKey(data.Vk)};
  }
  if (data.Vk >= 0 && data.ScanCode >= 0) return {data.Vk, data.ScanCode};
  return {};
}

}  // namespace orvanta
