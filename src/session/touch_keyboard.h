// The on-screen keyboard's core: its keys built from the layout that serves the input
// language, laid out for the keyboard's size, their captions from the user's input layout,
// their looks, and the repaints these need. The Win32 panel (TTouchKeyboard) owns the
// window and paints what this describes.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "base/input_language.h"
#include "base/keyboard_translation.h"
#include "base/timer.h"
#include "session/key_drawing.h"
#include "session/keyboard_button.h"
#include "session/keyboard_layouts.h"

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
  ~TouchKeyboardCore();
  TouchKeyboardCore(const TouchKeyboardCore&) = delete;
  TouchKeyboardCore& operator=(const TouchKeyboardCore&) = delete;

  // Frees the keys (nothing keeps referring to them) and builds those of the layout that
  // serves the language tag, laid out for the current size, then Redraw. Without such a
  // layout the keyboard stays empty.
  void buildKeys();
  // Takes the tag again and rebuilds. Throws "Error retrieving locale information", or
  // "Failed to change input language" (keeping the keys) when no layout serves the tag.
  void inputLanguageChanged();
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
  // Disabled keys look dsDisabled; enabling gives latched keys dsPressed, the others dsNormal.
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

  // The caption's size in points: the key's first modifier entry named like a latched key
  // (its language not considered), else the key's own.
  int fontSize(const TCustomKeyboardButton& key) const;

 private:
  std::vector<std::string> latchedModifierNames() const;
  bool shiftedCaption(const TCustomKeyboardButton& key) const;
  void applyQueuedLooks();

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
};

}  // namespace orvanta
