// The on-screen keyboard's core: its keys built from the layout that serves the input
// language, laid out for the keyboard's size, their captions from the user's input layout,
// their looks and the repaints these need, and what taps, holds and slides send to the
// platform. The Win32 panel (TTouchKeyboard) owns the window, forwards pointer input and
// paints what this describes.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/input_language.h"
#include "base/key_injector.h"
#include "base/keyboard_translation.h"
#include "base/timer.h"
#include "keyboard/key_drawing.h"
#include "keyboard/key_resolution.h"
#include "keyboard/keyboard_button.h"
#include "layouts/keyboard_layouts.h"

namespace orvanta {

enum class KeyboardDrawingStyle { dsNormal, dsGradient };

// Where the keyboard's looks reach the screen.
class KeyboardView {
 public:
  virtual ~KeyboardView() = default;
  // One full repaint, soon; requests made before it happens add up to one.
  virtual void invalidate() = 0;
  // Paints this key at once, directly on the screen.
  virtual void paintKey(const TCustomKeyboardButton& key) = 0;
};

struct TouchKeyboardServices {
  const TKeyboardLayouts& layouts;
  KeyboardTranslation& translation;
  InputLanguage& inputLanguage;
  Timer& changeTimer;  // FChangeTimer, 100 ms
  KeyInjector& injector;
  Timer& repeatTimer;  // FRepeat
};

struct KeyboardSize {
  int width = 0;
  int height = 0;
  bool operator==(const KeyboardSize&) const = default;
};

class TouchKeyboardCore {
 public:
  static constexpr int kChangeIntervalMs = 100;

  // Takes the input language tag: throws Exception "Error retrieving locale information"
  // when the platform cannot name the input language.
  TouchKeyboardCore(TouchKeyboardServices services, KeyboardView& view);
  // Lets go of every key still pressed at the platform.
  ~TouchKeyboardCore();
  TouchKeyboardCore(const TouchKeyboardCore&) = delete;
  TouchKeyboardCore& operator=(const TouchKeyboardCore&) = delete;

  // Lets go of every key pressed at the platform, frees the keys (nothing keeps referring to
  // them) and builds those of the layout that serves the language tag, laid out for the
  // current size, then Redraw. Without such a layout the keyboard stays empty.
  void buildKeys();
  // Takes the tag again and rebuilds. Throws "Error retrieving locale information", or
  // "Failed to change input language" (keeping the keys) when no layout serves the tag.
  void inputLanguageChanged();
  // Whether the platform now names another input language than the keys serve; false when it
  // cannot name one.
  bool inputLanguageMoved() const;
  const std::string& language() const { return FLanguage; }
  const TVirtualKeyLayout* currentLayout() const { return FCurrentLayout; }

  // The layout family; a different one rebuilds the keys.
  const std::string& Layout() const { return FLayout; }
  void setLayout(const std::string& layout);
  KeyboardDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void setDrawingStyle(KeyboardDrawingStyle style);
  Rgb GradientStart() const { return FGradientStart; }
  void setGradientStart(Rgb color);
  Rgb GradientEnd() const { return FGradientEnd; }
  void setGradientEnd(Rgb color);
  int RepeatDelay() const { return FRepeatDelay; }
  void setRepeatDelay(int ms) { FRepeatDelay = ms; }
  int RepeatRate() const { return FRepeatRate; }
  void setRepeatRate(int ms) { FRepeatRate = ms; }
  bool Enabled() const { return FEnabled; }
  // Disabled keys look dsDisabled and ignore the pointer; disabling first lets go of every key
  // as hiding does. Enabling gives latched keys dsPressed, the others dsNormal.
  void setEnabled(bool enabled);

  // Every key's caption and picture again from the language, the latched modifiers and the
  // input layout; keys that are not modifiers look normal (disabled while the keyboard is).
  // Then one full repaint.
  void Redraw();

  const std::vector<TCustomKeyboardButton>& Buttons() const { return FButtons; }
  const TCustomKeyboardButton& Buttons(size_t index) const { return FButtons.at(index); }

  // The size within the layout's limits (0: none).
  KeyboardSize constrain(KeyboardSize wanted) const;
  // The size the keys are laid out for: the wanted size within the limits of the layout in
  // use, so a layout with other limits gives another size.
  KeyboardSize size() const { return size_; }
  // Lays the keys out again when that changes the size.
  void setSize(KeyboardSize wanted);

  // A look that applies at once (the key repainted at once when `paint`); it cancels a change
  // of that key still queued.
  void setLook(size_t key, KeyLook look, bool paint);
  // A look applied and painted by the change timer, so a quick tap shows pressed a moment.
  void queueLook(size_t key, KeyLook look);

  // Enters a modifier key into the latched set (Down, look pressed) or takes it out (look
  // normal). Sends nothing; captions follow at the next Redraw.
  void setLatched(size_t key, bool latched);
  const std::vector<size_t>& latched() const { return FUnclick; }

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

  // The first key whose bounds, margins included, hold the point.
  std::optional<size_t> keyAt(int x, int y) const;
  // The code pairs the key sends now, in order: its combo keys or its own pair (none for Fn).
  std::vector<KeyCodes> codes(size_t key) const;
  bool deadKeyPending() const { return !FDeadKey.empty(); }

  // The caption's size in points: the key's first modifier entry named like a latched key
  // (its language not considered), else the key's own.
  int fontSize(const TCustomKeyboardButton& key) const;

 private:
  std::vector<std::string> latchedModifierNames() const;
  bool shiftedCaption(const TCustomKeyboardButton& key) const;
  void applyQueuedLooks();

  using CodeList = std::vector<KeyCodes>;
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

  TouchKeyboardServices services_;
  KeyboardView& view_;

  std::string FLanguage;
  std::string FLayout = "Standard";
  const TVirtualKeyLayout* FCurrentLayout = nullptr;
  KeyboardDrawingStyle FDrawingStyle = KeyboardDrawingStyle::dsNormal;
  Rgb FGradientStart{};
  Rgb FGradientEnd{};
  int FRepeatDelay = 300;
  int FRepeatRate = 50;
  bool FEnabled = true;
  KeyboardSize wanted_;
  KeyboardSize size_;
  KeyboardSize minSize_;
  KeyboardSize maxSize_;

  std::vector<TCustomKeyboardButton> FButtons;
  // Indices into FButtons, all emptied when the keys are built again.
  std::vector<size_t> FPressedKeys;  // held down by a pointer
  std::vector<size_t> FUnclick;      // latched modifiers
  std::vector<std::pair<size_t, KeyLook>> FChangeStates;
  CodeList FDeadKey;                      // the pending dead key, empty when none
  std::vector<CodeList> FDeadKeyUnclick;  // the modifiers latched when it was tapped
  // What this keyboard has pressed at the platform and not yet released, by key: latched
  // modifiers, and held keys whose press the repeat has sent. Releases send exactly these
  // codes, whatever the key resolves to by then.
  std::map<size_t, CodeList> platformDown_;
};

}  // namespace orvanta
