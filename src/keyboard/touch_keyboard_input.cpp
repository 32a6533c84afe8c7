// The on-screen keyboard's input: taps, holds, slides, latching, dead keys and repeat, and
// what each sends to the platform. Whatever this keyboard presses at the platform stays
// pressed only while the keyboard shows it latched or held; every path that hides a key
// from the user (leaving, hiding, rebuilding, destroying) releases it first.
#include <algorithm>

#include "keyboard/touch_keyboard.h"

namespace orvanta {
namespace {

constexpr int kFirstArrowKey = 37;  // VK_LEFT .. VK_DOWN
constexpr int kLastArrowKey = 40;

}  // namespace

std::optional<size_t> TouchKeyboardCore::keyAt(int x, int y) const {
  for (size_t i = 0; i < FButtons.size(); ++i) {
    if (FButtons[i].BoundsRect().contains({x, y})) return i;
  }
  return std::nullopt;
}

std::vector<KeyCodes> TouchKeyboardCore::codes(size_t key) const {
  const TVirtualKey resolved = resolveKey(FButtons.at(key).Key, FLanguage, latchedModifierNames());
  CodeList list;
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

std::optional<size_t> TouchKeyboardCore::heldBy(int id) const {
  for (size_t key : FPressedKeys) {
    if (FButtons[key].ID == id) return key;
  }
  return std::nullopt;
}

// The latched key that stands for the same platform keys as this one (itself, or the other
// Shift, Ctrl or Alt).
std::optional<size_t> TouchKeyboardCore::latchedTwin(size_t key) const {
  const CodeList own = codes(key);
  for (size_t latched : FUnclick) {
    if (latched == key || (!own.empty() && codes(latched) == own)) return latched;
  }
  return std::nullopt;
}

bool TouchKeyboardCore::isToggle(size_t key) const {
  return FButtons[key].Key.has(TVirtualKeyFlag::kfToggle);
}

void TouchKeyboardCore::send(const CodeList& list, bool release) {
  for (const KeyCodes& pair : list) {
    // Arrow keys go to the focused window at once: injected, some targets would see them
    // as the numeric pad's.
    if (pair.virtualKey >= kFirstArrowKey && pair.virtualKey <= kLastArrowKey) {
      services_.injector.sendToFocus(pair.virtualKey, release);
    } else {
      services_.injector.inject(pair.virtualKey & 0xFF, pair.scanCode & 0xFF, release);
    }
  }
}

void TouchKeyboardCore::pressAtPlatform(size_t key, const CodeList& list) {
  send(list, false);
  platformDown_.try_emplace(key, list);
}

void TouchKeyboardCore::releaseAtPlatform(size_t key) {
  const auto down = platformDown_.find(key);
  if (down == platformDown_.end()) return;
  const CodeList list = down->second;
  platformDown_.erase(down);
  send(list, true);
}

void TouchKeyboardCore::latch(size_t key) {
  const CodeList own = codes(key);
  // Keys of one group exclude each other; group 0 is no group.
  const uint16_t group = FButtons[key].Key.GroupIndex;
  if (group != 0) {
    for (size_t other : std::vector<size_t>(FUnclick)) {
      if (other != key && !isToggle(other) && FButtons[other].Key.GroupIndex == group) {
        unlatch(other);
      }
    }
  }
  pressAtPlatform(key, own);
  FUnclick.push_back(key);
  FButtons[key].Down = true;
  for (size_t i = 0; i < FButtons.size(); ++i) {
    if (i == key || (!own.empty() && FButtons[i].Modifier && codes(i) == own)) {
      setLook(i, KeyLook::dsPressed, true);
    }
  }
}

void TouchKeyboardCore::unlatch(size_t key) {
  const CodeList own = codes(key);
  releaseAtPlatform(key);
  std::erase(FUnclick, key);
  FButtons[key].Down = false;
  for (size_t i = 0; i < FButtons.size(); ++i) {
    if (i == key ||
        (!own.empty() && FButtons[i].Modifier && FButtons[i].ID == -1 && codes(i) == own)) {
      setLook(i, KeyLook::dsNormal, true);
    }
  }
}

void TouchKeyboardCore::pointerDown(int id, int x, int y) {
  if (!FEnabled) return;
  // A pointer holds one key at a time; a down without its up ends the older hold.
  if (const auto older = heldBy(id)) endHold(*older);
  const auto key = keyAt(x, y);
  if (!key || FButtons[*key].ID != -1) return;
  TCustomKeyboardButton& button = FButtons[*key];
  button.ID = id;
  FPressedKeys.push_back(*key);
  if (!button.Modifier) {
    setLook(*key, KeyLook::dsPressed, true);
    if (FRepeatRate != 0 && FRepeatDelay != 0) {
      services_.repeatTimer.setIntervalMs(FRepeatDelay);
      services_.repeatTimer.setEnabled(true);
    }
    return;
  }
  modifierDown(*key);
}

void TouchKeyboardCore::modifierDown(size_t key) {
  TCustomKeyboardButton& button = FButtons[key];
  if (isToggle(key)) {
    // Sent when the finger lifts, so a toggle slid off never reaches the platform.
    if (button.Down) {
      std::erase(FUnclick, key);
    } else {
      setLook(key, KeyLook::dsPressed, true);
      FUnclick.push_back(key);
    }
    button.Down = !button.Down;
  } else if (const auto twin = latchedTwin(key)) {
    // A second tap: let go when this finger lifts.
    FButtons[*twin].Down = false;
    button.Down = false;
  } else {
    latch(key);
  }
  Redraw();
}

void TouchKeyboardCore::pointerMove(int id, int x, int y) {
  if (!FEnabled) return;
  const auto held = heldBy(id);
  // A finger that went down on a modifier only switches it.
  if (!held || FButtons[*held].Modifier) return;
  const auto key = keyAt(x, y);
  if (!key || *key == *held || FButtons[*key].Modifier || FButtons[*key].ID != -1) return;
  stopRepeat();
  releaseAtPlatform(*held);
  FButtons[*held].ID = -1;
  setLook(*held, KeyLook::dsNormal, true);
  FButtons[*key].ID = id;
  setLook(*key, KeyLook::dsPressed, true);
  std::replace(FPressedKeys.begin(), FPressedKeys.end(), *held, *key);
}

void TouchKeyboardCore::pointerUp(int id, int x, int y) {
  if (!FEnabled) return;
  stopRepeat();
  pointerMove(id, x, y);
  const auto held = heldBy(id);
  if (!held) return;
  std::erase(FPressedKeys, *held);
  FButtons[*held].ID = -1;
  if (FButtons[*held].Modifier) {
    modifierUp(*held);
  } else if (keyAt(x, y) == held) {
    type(*held);
  } else {
    // Lifted between keys or off the keyboard: the hold ends and nothing is typed.
    releaseAtPlatform(*held);
    setLook(*held, KeyLook::dsNormal, true);
  }
}

void TouchKeyboardCore::modifierUp(size_t key) {
  TCustomKeyboardButton& button = FButtons[key];
  if (isToggle(key)) {
    const CodeList own = codes(key);
    send(own, false);
    send(own, true);
    if (!button.Down) setLook(key, KeyLook::dsNormal, true);
    return;
  }
  if (button.Down) return;  // a first tap: stays latched for the next key
  const auto twin = latchedTwin(key);
  if (twin && FButtons[*twin].ID == -1) unlatch(*twin);
  setLook(key, KeyLook::dsNormal, true);
  Redraw();
}

void TouchKeyboardCore::type(size_t key) {
  queueLook(key, KeyLook::dsNormal);
  const CodeList own = codes(key);
  if (!own.empty() && services_.translation.isDeadKey(own[0].virtualKey, own[0].scanCode)) {
    // Nothing is typed yet: the accent goes out right before the next key, with the
    // modifiers latched now, and the target composes the two.
    releaseAtPlatform(key);
    FDeadKey = own;
    FDeadKeyUnclick.clear();
    for (size_t latched : std::vector<size_t>(FUnclick)) {
      if (isToggle(latched)) continue;
      const auto down = platformDown_.find(latched);
      FDeadKeyUnclick.push_back(down != platformDown_.end() ? down->second : codes(latched));
      // One a finger holds stays down for what is typed meanwhile.
      if (FButtons[latched].ID == -1) unlatch(latched);
    }
    Redraw();
    return;
  }
  if (!FDeadKey.empty()) {
    std::vector<CodeList> latched;
    for (size_t modifier : FUnclick) {
      const auto down = platformDown_.find(modifier);
      if (down != platformDown_.end()) latched.push_back(down->second);
    }
    for (const CodeList& modifier : latched) send(modifier, true);
    for (const CodeList& modifier : FDeadKeyUnclick) send(modifier, false);
    send(FDeadKey, false);
    for (const CodeList& modifier : FDeadKeyUnclick) send(modifier, true);
    send(FDeadKey, true);
    for (const CodeList& modifier : latched) send(modifier, false);
  }
  send(own, false);
  send(own, true);
  platformDown_.erase(key);  // the repeat's presses end with this release
  if (!FUnclick.empty()) {
    // A latched Shift, Ctrl, Alt or AltGr acts once; one held by a finger lasts until it
    // lifts; Caps Lock and Fn last until tapped again.
    for (size_t latched : std::vector<size_t>(FUnclick)) {
      if (isToggle(latched)) continue;
      if (FButtons[latched].ID != -1) {
        FButtons[latched].Down = false;
      } else {
        unlatch(latched);
      }
    }
    Redraw();
  }
  FDeadKey.clear();
  FDeadKeyUnclick.clear();
}

void TouchKeyboardCore::endHold(size_t key) {
  TCustomKeyboardButton& button = FButtons[key];
  std::erase(FPressedKeys, key);
  button.ID = -1;
  if (!button.Modifier) {
    releaseAtPlatform(key);
    setLook(key, KeyLook::dsNormal, true);
  } else if (isToggle(key)) {
    // Its switch was never sent: undo it.
    if (button.Down) {
      std::erase(FUnclick, key);
    } else {
      FUnclick.push_back(key);
    }
    button.Down = !button.Down;
    setLook(key, button.Down ? KeyLook::dsPressed : KeyLook::dsNormal, true);
  } else if (!button.Down) {
    const auto twin = latchedTwin(key);
    if (twin && FButtons[*twin].ID == -1) unlatch(*twin);
  }
}

void TouchKeyboardCore::repeatTick() {
  services_.repeatTimer.setIntervalMs(FRepeatRate);
  for (size_t key : FPressedKeys) {
    if (FButtons[key].Modifier) continue;
    const CodeList own = codes(key);
    send(own, false);
    platformDown_.try_emplace(key, own);
  }
}

void TouchKeyboardCore::stopRepeat() {
  services_.repeatTimer.setEnabled(false);
}

void TouchKeyboardCore::pointerLeave() {
  if (!FPressedKeys.empty()) letGo(true);
}

void TouchKeyboardCore::releaseAll() {
  letGo(true);
}

void TouchKeyboardCore::letGo(bool redraw) {
  stopRepeat();
  for (size_t key : std::vector<size_t>(FPressedKeys)) endHold(key);
  for (size_t latched : std::vector<size_t>(FUnclick)) {
    if (!isToggle(latched)) unlatch(latched);
  }
  FDeadKey.clear();
  FDeadKeyUnclick.clear();
  for (const auto& [key, list] : std::exchange(platformDown_, {})) send(list, true);
  if (redraw) Redraw();
}

}  // namespace orvanta
