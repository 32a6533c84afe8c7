#include "keyboard/touch_keyboard.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "base/exception.h"
#include "keyboard/key_placement.h"
#include "keyboard/key_resolution.h"

namespace orvanta {
namespace {

std::string languageTag(InputLanguage& inputLanguage) {
  const std::optional<LocaleNames> names = inputLanguage.current();
  if (!names || names->language.empty() || names->country.empty()) {
    throw Exception("Error retrieving locale information");
  }
  return names->language + "-" + names->country;
}

int limited(int wanted, int minimum, int maximum) {
  const int atLeast = std::max(wanted, minimum);
  return maximum > 0 ? std::min(atLeast, maximum) : atLeast;
}

}  // namespace

TouchKeyboardCore::TouchKeyboardCore(TouchKeyboardServices services, KeyboardView& view)
    : services_(services), view_(view), FLanguage(languageTag(services.inputLanguage)) {
  services_.changeTimer.setIntervalMs(kChangeIntervalMs);
  services_.changeTimer.onTick = [this] { applyQueuedLooks(); };
  services_.repeatTimer.onTick = [this] { repeatTick(); };
}

TouchKeyboardCore::~TouchKeyboardCore() {
  letGo(false);
  services_.changeTimer.setEnabled(false);
  services_.changeTimer.onTick = nullptr;
  services_.repeatTimer.onTick = nullptr;
}

void TouchKeyboardCore::buildKeys() {
  letGo(false);
  FButtons.clear();
  FPressedKeys.clear();
  FUnclick.clear();
  FChangeStates.clear();
  services_.changeTimer.setEnabled(false);

  FCurrentLayout = chooseLayout(services_.layouts, FLayout, FLanguage);
  if (FCurrentLayout == nullptr) {
    view_.invalidate();
    return;
  }
  const TVirtualKeyLayout& layout = *FCurrentLayout;
  const bool capsLockOn = services_.translation.capsLockOn();
  int y = 0;
  for (size_t row = 0; row < layout.Keys.size(); ++row) {
    const TVirtualKeys& keys = layout.Keys[row];
    int x = 0;
    for (const TVirtualKey& key : keys.Keys) {
      TCustomKeyboardButton& button = FButtons.emplace_back(key);
      button.Left = x;
      button.Top = y;
      button.Width = key.Width;
      button.Height = key.Height;
      button.TopMargin = keys.TopMargin;
      button.BottomMargin = keys.BottomMargin;
      button.row = static_cast<int>(row);
      x += key.Width;
      if (button.isCapsLock() && capsLockOn) {
        button.Down = true;
        button.State = KeyLook::dsPressed;
        FUnclick.push_back(FButtons.size() - 1);
      }
    }
    y += layout.RowHeight;
  }
  minSize_ = {layout.MinWidth, layout.MinHeight};
  maxSize_ = {layout.MaxWidth, layout.MaxHeight};
  size_ = constrain(wanted_);
  placeKeys(FButtons, layout.Width, layout.RowHeight, size_.width, size_.height);
  Redraw();
}

void TouchKeyboardCore::inputLanguageChanged() {
  std::string tag = languageTag(services_.inputLanguage);
  if (chooseLayout(services_.layouts, FLayout, tag) == nullptr) {
    throw Exception("Failed to change input language");
  }
  FLanguage = std::move(tag);
  buildKeys();
}

bool TouchKeyboardCore::inputLanguageMoved() const {
  const std::optional<LocaleNames> names = services_.inputLanguage.current();
  return names && names->language + "-" + names->country != FLanguage;
}

void TouchKeyboardCore::setLayout(const std::string& layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  buildKeys();
}

void TouchKeyboardCore::setDrawingStyle(KeyboardDrawingStyle style) {
  FDrawingStyle = style;
  view_.invalidate();
}

void TouchKeyboardCore::setGradientStart(Rgb color) {
  FGradientStart = color;
  view_.invalidate();
}

void TouchKeyboardCore::setGradientEnd(Rgb color) {
  FGradientEnd = color;
  view_.invalidate();
}

void TouchKeyboardCore::setEnabled(bool enabled) {
  if (!enabled) letGo(false);
  FEnabled = enabled;
  FChangeStates.clear();
  services_.changeTimer.setEnabled(false);
  for (TCustomKeyboardButton& key : FButtons) {
    key.State = !enabled ? KeyLook::dsDisabled : key.Down ? KeyLook::dsPressed : KeyLook::dsNormal;
  }
  view_.invalidate();
}

std::vector<std::string> TouchKeyboardCore::latchedModifierNames() const {
  std::vector<std::string> names;
  for (size_t i : FUnclick) names.push_back(FButtons[i].Key.ModifierName);
  return names;
}

bool TouchKeyboardCore::shiftedCaption(const TCustomKeyboardButton& key) const {
  bool shiftLatched = false;
  const TCustomKeyboardButton* caps = nullptr;
  for (size_t i : FUnclick) {
    if (FButtons[i].isShift()) shiftLatched = true;
    if (FButtons[i].isCapsLock()) caps = &FButtons[i];
  }
  bool capsApplies = false;
  if (caps != nullptr) {
    const std::string_view prefix = languagePrefix(FLanguage);
    capsApplies =
        std::any_of(key.Key.Modifiers.begin(), key.Key.Modifiers.end(), [&](const TKeyModifier& m) {
          return m.ModifierName == caps->Key.ModifierName &&
                 (m.Language.empty() || m.Language == FLanguage || m.Language == prefix);
        });
  }
  // Shift and Caps Lock together give the unshifted character, as on a real keyboard.
  return shiftLatched != capsApplies;
}

void TouchKeyboardCore::Redraw() {
  const std::vector<std::string> latched = latchedModifierNames();
  for (TCustomKeyboardButton& key : FButtons) {
    const TVirtualKey resolved = resolveKey(key.Key, FLanguage, latched);
    key.KeyImage = resolved.KeyImage;
    if (resolved.KeyImage == KeyImage::kNone) {
      if (!resolved.Caption.empty()) {
        key.Caption = resolved.Caption;
      } else {
        const KeyCodes codes = keyCodes({resolved.Vk, resolved.ScanCode}, services_.translation);
        key.Caption =
            services_.translation.keyText(codes.virtualKey, codes.scanCode, shiftedCaption(key));
      }
    }
    if (!key.Modifier) {
      key.State = !FEnabled      ? KeyLook::dsDisabled
                  : key.ID != -1 ? KeyLook::dsPressed  // another finger still holds it
                                 : KeyLook::dsNormal;
    }
  }
  view_.invalidate();
}

KeyboardSize TouchKeyboardCore::constrain(KeyboardSize wanted) const {
  return {limited(wanted.width, minSize_.width, maxSize_.width),
          limited(wanted.height, minSize_.height, maxSize_.height)};
}

void TouchKeyboardCore::setSize(KeyboardSize wanted) {
  wanted_ = wanted;
  const KeyboardSize size = constrain(wanted);
  if (size == size_) return;
  size_ = size;
  if (FCurrentLayout != nullptr) {
    placeKeys(FButtons, FCurrentLayout->Width, FCurrentLayout->RowHeight, size_.width,
              size_.height);
  }
  view_.invalidate();
}

void TouchKeyboardCore::setLook(size_t key, KeyLook look, bool paint) {
  std::erase_if(FChangeStates, [&](const auto& change) { return change.first == key; });
  TCustomKeyboardButton& button = FButtons.at(key);
  button.State = look;
  if (paint) view_.paintKey(button);
}

void TouchKeyboardCore::queueLook(size_t key, KeyLook look) {
  if (key >= FButtons.size()) throw std::out_of_range("no such key");
  FChangeStates.emplace_back(key, look);
  // Enabling restarts the countdown, which would hold back looks queued earlier.
  if (!services_.changeTimer.enabled()) services_.changeTimer.setEnabled(true);
}

void TouchKeyboardCore::applyQueuedLooks() {
  services_.changeTimer.setEnabled(false);
  const auto changes = std::exchange(FChangeStates, {});
  for (const auto& [key, look] : changes) {
    FButtons[key].State = look;
    view_.paintKey(FButtons[key]);
  }
}

void TouchKeyboardCore::setLatched(size_t key, bool latched) {
  TCustomKeyboardButton& button = FButtons.at(key);
  std::erase(FUnclick, key);
  if (latched) FUnclick.push_back(key);
  button.Down = latched;
  setLook(key, latched ? KeyLook::dsPressed : KeyLook::dsNormal, false);
}

int TouchKeyboardCore::fontSize(const TCustomKeyboardButton& key) const {
  const std::vector<std::string> latched = latchedModifierNames();
  for (const TKeyModifier& m : key.Key.Modifiers) {
    if (std::find(latched.begin(), latched.end(), m.ModifierName) != latched.end()) {
      return m.FontSize;
    }
  }
  return key.Key.FontSize;
}

}  // namespace orvanta
