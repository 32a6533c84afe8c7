#include "ui/keyboard_translation_win.h"

#include <windows.h>

#include <array>

#include "ui/text_win.h"

namespace orvanta {
namespace {

using KeyboardState = std::array<BYTE, 256>;

// A dead key leaves its accent waiting in the input layout for the next key, which the user
// would then see on the character typed next. Translating the key again takes it out.
void dropPendingDeadKey(UINT virtualKey, UINT scanCode, const KeyboardState& state, HKL layout) {
  wchar_t scratch[8];
  for (int i = 0; i < 4; ++i) {
    if (ToUnicodeEx(virtualKey, scanCode, state.data(), scratch, 8, 0, layout) >= 0) return;
  }
}

std::string localeName(LCID locale, LCTYPE type) {
  wchar_t name[16] = {};
  if (GetLocaleInfoW(locale, type, name, 16) == 0) return {};
  return narrow(name);
}

}  // namespace

int WinKeyboardTranslation::virtualKeyFromScanCode(int scanCode) {
  return static_cast<int>(MapVirtualKeyW(static_cast<UINT>(scanCode), MAPVK_VSC_TO_VK));
}

int WinKeyboardTranslation::scanCodeFromVirtualKey(int virtualKey) {
  return static_cast<int>(MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC));
}

std::string WinKeyboardTranslation::keyText(int virtualKey, int scanCode, bool shift) {
  if (virtualKey <= 0) return {};
  KeyboardState state{};
  if (shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
  const HKL layout = GetKeyboardLayout(0);
  const UINT vk = static_cast<UINT>(virtualKey);
  const UINT sc = static_cast<UINT>(scanCode);
  wchar_t text[8] = {};
  const int length = ToUnicodeEx(vk, sc, state.data(), text, 8, 0, layout);
  if (length < 0) {
    dropPendingDeadKey(vk, sc, state, layout);
    return narrow(std::wstring_view(text, 1));
  }
  return narrow(std::wstring_view(text, static_cast<size_t>(length)));
}

bool WinKeyboardTranslation::isDeadKey(int virtualKey, int scanCode) {
  if (virtualKey <= 0) return false;
  KeyboardState state{};
  if (!GetKeyboardState(state.data())) return false;
  const HKL layout = GetKeyboardLayout(0);
  const UINT vk = static_cast<UINT>(virtualKey);
  const UINT sc = static_cast<UINT>(scanCode);
  wchar_t text[8];
  if (ToUnicodeEx(vk, sc, state.data(), text, 8, 0, layout) >= 0) return false;
  dropPendingDeadKey(vk, sc, state, layout);
  return true;
}

bool WinKeyboardTranslation::capsLockOn() {
  return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

std::optional<LocaleNames> WinInputLanguage::current() {
  const auto layout = reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0));
  const LCID locale = MAKELCID(LOWORD(layout), SORT_DEFAULT);
  LocaleNames names{localeName(locale, LOCALE_SISO639LANGNAME),
                    localeName(locale, LOCALE_SISO3166CTRYNAME)};
  if (names.language.empty() || names.country.empty()) return std::nullopt;
  return names;
}

}  // namespace orvanta
