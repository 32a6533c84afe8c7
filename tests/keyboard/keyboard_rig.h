// The keys and their input over the shipped layouts, an input layout table, a virtual clock, a view
// that records what it is asked to repaint and an injector that records what it sends.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fake_key_injector.h"
#include "fakes/fake_keyboard_translation.h"
#include "fakes/fake_timer.h"
#include "keyboard/keyboard_input.h"
#include "keyboard/keyboard_model.h"
#include "resources/keyboard_layouts_data.h"

namespace orvanta::test {

class RecordingView final : public KeyboardView {
 public:
  void invalidate() override { ++invalidations; }
  void paintKey(const TCustomKeyboardButton& key) override {
    painted.push_back({key.Key.ScanCode, key.State});
  }
  struct Painted {
    int scanCode;
    KeyLook look;
    bool operator==(const Painted&) const = default;
  };
  int invalidations = 0;
  std::vector<Painted> painted;
};

inline TKeyboardLayouts shippedLayouts() {
  TKeyboardLayouts layouts;
  for (const LayoutResource& r : embeddedLayoutResources()) layouts.LoadFromStream(r.data);
  return layouts;
}

// The keys and their input, as the keyboard's window holds them.
struct TestKeyboard {
  TestKeyboard(KeyboardModelServices modelServices, KeyboardView& view,
               KeyboardInputServices inputServices)
      : model(modelServices, view), input(model, inputServices) {}
  KeyboardModel model;
  KeyboardInput input;
};

struct KeyboardRig {
  explicit KeyboardRig(LocaleNames names = {"en", "US"},
                       std::vector<test::FakeKey> keys = test::usEnglishKeys(),
                       bool capsLock = false)
      : translation(std::move(keys)), language(std::move(names)) {
    translation.capsLock = capsLock;
    // Dead keys are looked up under the Shift state the keyboard has left at the platform.
    injector.onSend = [this] { translation.shiftDown = injector.isPressed(0x10); };
    keyboard = std::make_unique<TestKeyboard>(
        KeyboardModelServices{layouts, translation, language, changeTimer}, view,
        KeyboardInputServices{translation, injector, repeatTimer});
  }

  // Creating the keyboard's window: the keys are built for the size it is given.
  KeyboardModel& built(KeyboardSize size = {848, 180}) {
    keyboard->model.setSize(size);
    keyboard->model.buildKeys();
    view.invalidations = 0;
    return keyboard->model;
  }

  // The index of the n-th key (from 0, in layout order) with this scan code.
  size_t keyIndex(int scanCode, int nth = 0) const {
    const auto& keys = keyboard->model.Buttons();
    for (size_t i = 0; i < keys.size(); ++i) {
      if (keys[i].Key.ScanCode == scanCode && nth-- == 0) return i;
    }
    throw std::logic_error("no key with scan code " + std::to_string(scanCode));
  }
  const TCustomKeyboardButton& key(int scanCode, int nth = 0) const {
    return keyboard->model.Buttons(keyIndex(scanCode, nth));
  }

  TKeyboardLayouts layouts = shippedLayouts();
  test::FakeKeyboardTranslation translation;
  test::FakeInputLanguage language;
  test::FakeTimerService clock;
  test::FakeTimer changeTimer{clock};
  test::FakeKeyInjector injector;
  test::FakeTimer repeatTimer{clock};
  RecordingView view;
  std::unique_ptr<TestKeyboard> keyboard;
};

}  // namespace orvanta::test
