// The on-screen keyboard's input: taps, holds, slides, latching, dead keys and repeat over the
// keys of a KeyboardModel, and what each sends to the platform.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <vector>

#include "base/key_injector.h"
#include "base/keyboard_translation.h"
#include "base/timer.h"
#include "keyboard/keyboard_model.h"

namespace orvanta {

struct KeyboardInputServices {
  KeyboardTranslation& translation;  // which keys are dead keys
  KeyInjector& injector;
  Timer& repeatTimer;  // FRepeat
};

class KeyboardInput {
 public:
  // Works over `model`, which outlives it: the model has it let go of every key before the
  // keys are rebuilt or disabled.
  KeyboardInput(KeyboardModel& model, KeyboardInputServices services);
  // Lets go of every key still pressed at the platform.
  ~KeyboardInput();
  KeyboardInput(const KeyboardInput&) = delete;
  KeyboardInput& operator=(const KeyboardInput&) = delete;

  int RepeatDelay() const { return FRepeatDelay; }
  void setRepeatDelay(int ms) { FRepeatDelay = ms; }
  int RepeatRate() const { return FRepeatRate; }
  void setRepeatRate(int ms) { FRepeatRate = ms; }

  // Pointer input in the keyboard's coordinates: `id` 0 is the mouse, any other a touch
  // contact. A down holds the key under the point; moving onto another ordinary key moves the
  // hold there; the up types the key held when it is lifted over it and ends the hold
  // wherever it is lifted.
  void pointerDown(int id, int x, int y);
  void pointerMove(int id, int x, int y);
  void pointerUp(int id, int x, int y);
  // The mouse left the keyboard: while keys are held, lets go of everything as hiding does.
  void pointerLeave();
  // Hiding, rebuilding and destroying the keyboard: every hold ends, and every key this
  // keyboard pressed at the platform is released, for nobody could see it held any more. Caps
  // Lock and Fn stay as they are; a pending dead key is forgotten.
  void releaseAll();

  bool deadKeyPending() const { return !FDeadKey.empty(); }

 private:
  using CodeList = std::vector<KeyCodes>;
  const TCustomKeyboardButton& button(size_t key) const { return model_.Buttons(key); }
  std::optional<size_t> heldBy(int id) const;
  std::optional<size_t> latchedTwin(size_t key) const;
  bool isToggle(size_t key) const;
  void send(const CodeList& codes, bool release);
  void pressAtPlatform(size_t key, const CodeList& codes);
  void releaseAtPlatform(size_t key);
  void latch(size_t key);
  void unlatch(size_t key);
  void modifierDown(size_t key);
  void modifierUp(size_t key);
  void type(size_t key);
  void endHold(size_t key);
  void repeatTick();
  void stopRepeat();
  void letGo(bool redraw);

  KeyboardModel& model_;
  KeyboardInputServices services_;

  int FRepeatDelay = 300;
  int FRepeatRate = 50;
  // Indices into the model's keys, all emptied before the keys are built again.
  std::vector<size_t> FPressedKeys;       // held down by a pointer
  CodeList FDeadKey;                      // the pending dead key, empty when none
  std::vector<CodeList> FDeadKeyUnclick;  // the modifiers latched when it was tapped
  // What this keyboard has pressed at the platform and not yet released, by key: latched
  // modifiers, and held keys whose press the repeat has sent. Releases send exactly these
  // codes, whatever the key resolves to by then.
  std::map<size_t, CodeList> platformDown_;
};

}  // namespace orvanta
