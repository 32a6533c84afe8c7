// The on-screen keyboard's keys: built from the layout that serves the input language, laid
// out for the keyboard's size, their captions from the user's input layout, their looks and
// the repaints these need. KeyboardInput turns pointer input into what they send; the Win32
// panel (TTouchKeyboard) owns the window and paints what this describes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/input_language.h"
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

struct KeyboardModelServices {
  const TKeyboardLayouts& layouts;
  KeyboardTranslation& translation;
  InputLanguage& inputLanguage;
  Timer& changeTimer;  // FChangeTimer, 100 ms
};

struct KeyboardSize {
  int width = 0;
  int height = 0;
  bool operator==(const KeyboardSize&) const = default;
};

class KeyboardModel {
 public:
  static constexpr int kChangeIntervalMs = 100;

  // Takes the input language tag: throws Exception "Error retrieving locale information"
  // when the platform cannot name the input language.
  KeyboardModel(KeyboardModelServices services, KeyboardView& view);
  ~KeyboardModel();
  KeyboardModel(const KeyboardModel&) = delete;
  KeyboardModel& operator=(const KeyboardModel&) = delete;

  // Whoever presses keys at the platform: told to let go of all of them before the keys are
  // rebuilt or disabled, while they still stand for what was pressed.
  void setLetGo(std::function<void()> letGo) { letGo_ = std::move(letGo); }

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

  // The input's own steps, each of which leaves the look alone: the pointer holding the key
  // (-1: none), whether it is down, and whether it is in the latched set (entered last).
  void setHolder(size_t key, int id) { FButtons.at(key).ID = id; }
  void setDown(size_t key, bool down) { FButtons.at(key).Down = down; }
  void setInLatchedSet(size_t key, bool latched);

  // The first key whose bounds, margins included, hold the point.
  std::optional<size_t> keyAt(int x, int y) const;
  // The code pairs the key sends now, in order: its combo keys or its own pair (none for Fn).
  std::vector<KeyCodes> codes(size_t key) const;

  // The caption's size in points: the key's first modifier entry named like a latched key
  // (its language not considered), else the key's own.
  int fontSize(const TCustomKeyboardButton& key) const;

 private:
  std::vector<std::string> latchedModifierNames() const;
  bool shiftedCaption(const TCustomKeyboardButton& key) const;
  void applyQueuedLooks();
  void letGo();

  KeyboardModelServices services_;
  KeyboardView& view_;
  std::function<void()> letGo_;

  std::string FLanguage;
  std::string FLayout = "Standard";
  const TVirtualKeyLayout* FCurrentLayout = nullptr;
  KeyboardDrawingStyle FDrawingStyle = KeyboardDrawingStyle::dsNormal;
  Rgb FGradientStart{};
  Rgb FGradientEnd{};
  bool FEnabled = true;
  KeyboardSize wanted_;
  KeyboardSize size_;
  KeyboardSize minSize_;
  KeyboardSize maxSize_;

  std::vector<TCustomKeyboardButton> FButtons;
  // Indices into FButtons, all emptied when the keys are built again.
  std::vector<size_t> FUnclick;  // latched modifiers
  std::vector<std::pair<size_t, KeyLook>> FChangeStates;
};

}  // namespace orvanta
