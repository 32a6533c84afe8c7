// Whatever this keyboard presses at the platform stays pressed only while the keyboard shows
// it latched or held; every path that hides a key from the user (leaving, hiding, rebuilding,
// destroying) releases it first.
#include "keyboard/keyboard_input.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace orvanta {
namespace {

constexpr int kFirstArrowKey = 37;  // VK_LEFT .. VK_DOWN
constexpr int kLastArrowKey = 40;

}  // namespace

KeyboardInput::KeyboardInput(KeyboardModel& model, KeyboardInputServices services)
    : model_(model), services_(services) {
  services_.repeatTimer.onTick = [this] { repeatTick(); };
  model_.setLetGo([this] { letGo(false); });
}

KeyboardInput::~KeyboardInput() {
  letGo(false);
  model_.setLetGo(nullptr);
  services_.repeatTimer.onTick = nullptr;
}

std::optional<size_t> KeyboardInput::heldBy(int id) const {
  for (size_t key : FPressedKeys) {
    if (button(key).ID == id) return key;
  }
  return std::nullopt;
}

// The latched key that stands for the same platform keys as this one (itself, or the other
// Shift, Ctrl or Alt).
std::optional<size_t> KeyboardInput::latchedTwin(size_t key) const {
  const CodeList own = model_.codes(key);
  for (size_t latched : model_.latched()) {
    if (latched == key || (!own.empty() && model_.codes(latched) == own)) return latched;
  }
  return std::nullopt;
}

bool KeyboardInput::isToggle(size_t key) const {
  return button(key).Key.has(TVirtualKeyFlag::kfToggle);
}

void KeyboardInput::send(const CodeList& list, bool release) {
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

void KeyboardInput::pressAtPlatform(size_t key, const CodeList& list) {
  send(list, false);
  platformDown_.try_emplace(key, list);
}

void KeyboardInput::releaseAtPlatform(size_t key) {
  const auto down = platformDown_.find(key);
  if (down == platformDown_.end()) return;
  const CodeList list = down->second;
  platformDown_.erase(down);
  send(list, true);
}

void KeyboardInput::latch(size_t key) {
  const CodeList own = model_.codes(key);
  // Keys of one group exclude each other; group 0 is no group.
  const uint16_t group = button(key).Key.GroupIndex;
  if (group != 0) {
    for (size_t other : std::vector<size_t>(model_.latched())) {
      if (other != key && !isToggle(other) && button(other).Key.GroupIndex == group) {
        unlatch(other);
      }
    }
  }
  pressAtPlatform(key, own);
  model_.setInLatchedSet(key, true);
  model_.setDown(key, true);
  for (size_t i = 0; i < model_.Buttons().size(); ++i) {
    if (i == key || (!own.empty() && button(i).Modifier && model_.codes(i) == own)) {
      model_.setLook(i, KeyLook::dsPressed, true);
    }
  }
}

void KeyboardInput::unlatch(size_t key) {
  const CodeList own = model_.codes(key);
  releaseAtPlatform(key);
  model_.setInLatchedSet(key, false);
  model_.setDown(key, false);
  for (size_t i = 0; i < model_.Buttons().size(); ++i) {
    if (i == key ||
        (!own.empty() && button(i).Modifier && button(i).ID == -1 && model_.codes(i) == own)) {
      model_.setLook(i, KeyLook::dsNormal, true);
    }
  }
}

void KeyboardInput::pointerDown(int id, int x, int y) {
  if (!model_.Enabled()) return;
  // A pointer holds one key at a time; a down without its up ends the older hold.
  if (const auto older = heldBy(id)) endHold(*older);
  const auto key = model_.keyAt(x, y);
  if (!key || button(*key).ID != -1) return;
  model_.setHolder(*key, id);
  FPressedKeys.push_back(*key);
  if (!button(*key).Modifier) {
    model_.setLook(*key, KeyLook::dsPressed, true);
    if (FRepeatRate != 0 && FRepeatDelay != 0) {
      services_.repeatTimer.setIntervalMs(FRepeatDelay);
      services_.repeatTimer.setEnabled(true);
    }
    return;
  }
  modifierDown(*key);
}

void KeyboardInput::modifierDown(size_t key) {
  const bool down = button(key).Down;
  if (isToggle(key)) {
    // Sent when the finger lifts, so a toggle slid off never reaches the platform.
    if (!down) model_.setLook(key, KeyLook::dsPressed, true);
    model_.setInLatchedSet(key, !down);
    model_.setDown(key, !down);
  } else if (const auto twin = latchedTwin(key)) {
    // A second tap: let go when this finger lifts.
    model_.setDown(*twin, false);
    model_.setDown(key, false);
  } else {
    latch(key);
  }
  model_.Redraw();
}

void KeyboardInput::pointerMove(int id, int x, int y) {
  if (!model_.Enabled()) return;
  const auto held = heldBy(id);
  // A finger that went down on a modifier only switches it.
  if (!held || button(*held).Modifier) return;
  const auto key = model_.keyAt(x, y);
  if (!key || *key == *held || button(*key).Modifier || button(*key).ID != -1) return;
  stopRepeat();
  releaseAtPlatform(*held);
  model_.setHolder(*held, -1);
  model_.setLook(*held, KeyLook::dsNormal, true);
  model_.setHolder(*key, id);
  model_.setLook(*key, KeyLook::dsPressed, true);
  std::replace(FPressedKeys.begin(), FPressedKeys.end(), *held, *key);
}

void KeyboardInput::pointerUp(int id, int x, int y) {
  if (!model_.Enabled()) return;
  stopRepeat();
  pointerMove(id, x, y);
  const auto held = heldBy(id);
  if (!held) return;
  std::erase(FPressedKeys, *held);
  model_.setHolder(*held, -1);
  if (button(*held).Modifier) {
    modifierUp(*held);
  } else if (model_.keyAt(x, y) == held) {
    type(*held);
  } else {
    // Lifted between keys or off the keyboard: the hold ends and nothing is typed.
    releaseAtPlatform(*held);
    model_.setLook(*held, KeyLook::dsNormal, true);
  }
}

void KeyboardInput::modifierUp(size_t key) {
  if (isToggle(key)) {
    const CodeList own = model_.codes(key);
    send(own, false);
    send(own, true);
    if (!button(key).Down) model_.setLook(key, KeyLook::dsNormal, true);
    return;
  }
  if (button(key).Down) return;  // a first tap: stays latched for the next key
  const auto twin = latchedTwin(key);
  if (twin && button(*twin).ID == -1) unlatch(*twin);
  model_.setLook(key, KeyLook::dsNormal, true);
  model_.Redraw();
}

void KeyboardInput::type(size_t key) {
  model_.queueLook(key, KeyLook::dsNormal);
  const CodeList own = model_.codes(key);
  if (!own.empty() && services_.translation.isDeadKey(own[0].virtualKey, own[0].scanCode)) {
    // Nothing is typed yet: the accent goes out right before the next key, with the
    // modifiers latched now, and the target composes the two.
    releaseAtPlatform(key);
    FDeadKey = own;
    FDeadKeyUnclick.clear();
    for (size_t latched : std::vector<size_t>(model_.latched())) {
      if (isToggle(latched)) continue;
      const auto down = platformDown_.find(latched);
      FDeadKeyUnclick.push_back(down != platformDown_.end() ? down->second : model_.codes(latched));
      // One a finger holds stays down for what is typed meanwhile.
      if (button(latched).ID == -1) unlatch(latched);
    }
    model_.Redraw();
    return;
  }
  if (!FDeadKey.empty()) {
    std::vector<CodeList> latched;
    for (size_t modifier : model_.latched()) {
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
  if (!model_.latched().empty()) {
    // A latched Shift, Ctrl, Alt or AltGr acts once; one held by a finger lasts until it
    // lifts; Caps Lock and Fn last until tapped again.
    for (size_t latched : std::vector<size_t>(model_.latched())) {
      if (isToggle(latched)) continue;
      if (button(latched).ID != -1) {
        model_.setDown(latched, false);
      } else {
        unlatch(latched);
      }
    }
    model_.Redraw();
  }
  FDeadKey.clear();
  FDeadKeyUnclick.clear();
}

void KeyboardInput::endHold(size_t key) {
  std::erase(FPressedKeys, key);
  model_.setHolder(key, -1);
  if (!button(key).Modifier) {
    releaseAtPlatform(key);
    model_.setLook(key, KeyLook::dsNormal, true);
  } else if (isToggle(key)) {
    // Its switch was never sent: undo it.
    const bool down = !button(key).Down;
    model_.setInLatchedSet(key, down);
    model_.setDown(key, down);
    model_.setLook(key, down ? KeyLook::dsPressed : KeyLook::dsNormal, true);
  } else if (!button(key).Down) {
    const auto twin = latchedTwin(key);
    if (twin && button(*twin).ID == -1) unlatch(*twin);
  }
}

void KeyboardInput::repeatTick() {
  services_.repeatTimer.setIntervalMs(FRepeatRate);
  for (size_t key : FPressedKeys) {
    if (button(key).Modifier) continue;
    const CodeList own = model_.codes(key);
    send(own, false);
    platformDown_.try_emplace(key, own);
  }
}

void KeyboardInput::stopRepeat() {
  services_.repeatTimer.setEnabled(false);
}

void KeyboardInput::pointerLeave() {
  if (!FPressedKeys.empty()) letGo(true);
}

void KeyboardInput::releaseAll() {
  letGo(true);
}

void KeyboardInput::letGo(bool redraw) {
  stopRepeat();
  for (size_t key : std::vector<size_t>(FPressedKeys)) endHold(key);
  for (size_t latched : std::vector<size_t>(model_.latched())) {
    if (!isToggle(latched)) unlatch(latched);
  }
  FDeadKey.clear();
  FDeadKeyUnclick.clear();
  for (const auto& [key, list] : std::exchange(platformDown_, {})) send(list, true);
  if (redraw) model_.Redraw();
}

}  // namespace orvanta
