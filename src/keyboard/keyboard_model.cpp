#include "keyboard/keyboard_model.h"

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

KeyboardModel::KeyboardModel(KeyboardModelServices services, KeyboardView& view)
    : services_(services), view_(view), FLanguage(languageTag(services.inputLanguage)) {
  services_.changeTimer.setIntervalMs(kChangeIntervalMs);
  services_.changeTimer.onTick = [this] { applyQueuedLooks(); };
}

KeyboardModel::~KeyboardModel() {
  services_.changeTimer.setEnabled(false);
  services_.changeTimer.onTick = nullptr;
}

void KeyboardModel::letGo() {
  if (letGo_) letGo_();
}

void KeyboardModel::buildKeys() {
  letGo();
  FButtons.clear();
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

void KeyboardModel::inputLanguageChanged() {
  std::string tag = languageTag(services_.inputLanguage);
  if (chooseLayout(services_.layouts, FLayout, tag) == nullptr) {
    throw Exception("Failed to change input language");
  }
  FLanguage = std::move(tag);
  buildKeys();
}

bool KeyboardModel::inputLanguageMoved() const {
  const std::optional<LocaleNames> names = services_.inputLanguage.current();
  return names && names->language + "-" + names->country != FLanguage;
}

void KeyboardModel::setLayout(const std::string& layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  buildKeys();
}

void KeyboardModel::setDrawingStyle(KeyboardDrawingStyle style) {
  FDrawingStyle = style;
  view_.invalidate();
}

void KeyboardModel::setGradientStart(Rgb color) {
  FGradientStart = color;
  view_.invalidate();
}

void KeyboardModel::setGradientEnd(Rgb color) {
  FGradientEnd = color;
  view_.invalidate();
}

void KeyboardModel::setEnabled(bool enabled) {
  if (!enabled) letGo();
  FEnabled = enabled;
  FChangeStates.clear();
  services_.changeTimer.setEnabled(false);
  for (TCustomKeyboardButton& key : FButtons) {
    key.State = !enabled ? KeyLook::dsDisabled : key.Down ? KeyLook::dsPressed : KeyLook::dsNormal;
  }
  view_.invalidate();
}

std::vector<std::string> KeyboardModel::latchedModifierNames() const {
  std::vector<std::string> names;
  for (size_t i : FUnclick) names.push_back(FButtons[i].Key.ModifierName);
  return names;
}

bool KeyboardModel::shiftedCaption(const TCustomKeyboardButton& key) const {
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

void KeyboardModel::Redraw() {
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

KeyboardSize KeyboardModel::constrain(KeyboardSize wanted) const {
  return {limited(wanted.width, minSize_.width, maxSize_.width),
          limited(wanted.height, minSize_.height, maxSize_.height)};
}

void KeyboardModel::setSize(KeyboardSize wanted) {
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

void KeyboardModel::setLook(size_t key, KeyLook look, bool paint) {
  std::erase_if(FChangeStates, [&](const auto& change) { return change.first == key; });
  TCustomKeyboardButton& button = FButtons.at(key);
  button.State = look;
  if (paint) view_.paintKey(button);
}

void KeyboardModel::queueLook(size_t key, KeyLook look) {
  if (key >= FButtons.size()) throw std::out_of_range("no such key");
  FChangeStates.emplace_back(key, look);
  // Enabling restarts the countdown, which would hold back looks queued earlier.
  if (!services_.changeTimer.enabled()) services_.changeTimer.setEnabled(true);
}

void KeyboardModel::applyQueuedLooks() {
  services_.changeTimer.setEnabled(false);
  const auto changes = std::exchange(FChangeStates, {});
  for (const auto& [key, look] : changes) {
    FButtons[key].State = look;
    view_.paintKey(FButtons[key]);
  }
}

void KeyboardModel::setLatched(size_t key, bool latched) {
  TCustomKeyboardButton& button = FButtons.at(key);
  std::erase(FUnclick, key);
  if (latched) FUnclick.push_back(key);
  button.Down = latched;
  setLook(key, latched ? KeyLook::dsPressed : KeyLook::dsNormal, false);
}

void KeyboardModel::setInLatchedSet(size_t key, bool latched) {
  std::erase(FUnclick, key);
  if (latched) FUnclick.push_back(key);
}

std::optional<size_t> KeyboardModel::keyAt(int x, int y) const {
  for (size_t i = 0; i < FButtons.size(); ++i) {
    if (FButtons[i].BoundsRect().contains({x, y})) return i;
  }
  return std::nullopt;
}

std::vector<KeyCodes> KeyboardModel::codes(size_t key) const {
  const TVirtualKey resolved = resolveKey(FButtons.at(key).Key, FLanguage, latchedModifierNames());
  std::vector<KeyCodes> list;
  if (resolved.ComboKeys.empty()) {
    list.push_back(keyCodes({resolved.Vk, resolved.ScanCode}, services_.translation));
  } else {
    for (const TKeyData& combo : resolved.ComboKeys) {
      list.push_back(keyCodes(combo, services_.translation));
    }
  }
  // The Fn key has no code: it only switches what the other keys show and send.
  std::erase(list, KeyCodes{});
  return list;
}

int KeyboardModel::fontSize(const TCustomKeyboardButton& key) const {
  const std::vector<std::string> latched = latchedModifierNames();
  for (const TKeyModifier& m : key.Key.Modifiers) {
    if (std::find(latched.begin(), latched.end(), m.ModifierName) != latched.end()) {
      return m.FontSize;
    }
  }
  return key.Key.FontSize;
}

}  // namespace orvanta
