// TTouchKeyboard: the on-screen keyboard's window, docked in the session window. It owns the
// keys and their input, forwards size and input-language changes to the keys and mouse and
// touch input to the input, and paints what the keys describe. It never takes the keyboard focus:
// its keys go to the window that has it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "keyboard/keyboard_input.h"
#include "keyboard/keyboard_model.h"
#include "keyboard/keyboard_painter_win.h"
#include "ui/timer_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TTouchKeyboard : public Window, private KeyboardView {
 public:
  // What the keyboard reads: the platform's own input layout and language and the program's
  // layout registry, unless a test gives others.
  struct Platform {
    std::unique_ptr<KeyboardTranslation> translation;
    std::unique_ptr<InputLanguage> inputLanguage;
    std::unique_ptr<KeyInjector> injector;
    const TKeyboardLayouts* layouts;
  };
  static Platform platform();

  // Takes the input language: throws Exception "Error retrieving locale information".
  explicit TTouchKeyboard(Application& app, Platform platform = TTouchKeyboard::platform());
  ~TTouchKeyboard() override;

  // Creates the window, which builds the keys. The keyboard is never smaller than the
  // layout's minimum size: narrower than that, it runs past its parent's edge.
  // b at 96 dpi. Created hidden, it builds its keys when first shown.
  void create(Window& parent, const Bounds& b, bool visible = true);
  void setBounds(const Bounds& b);  // in pixels
  // Hiding lets go of every key the keyboard holds pressed at the platform.
  void setVisible(bool visible) { visible ? show() : hide(); }

  // The change notification reaches only the active window: one made while another window was
  // active is caught up with here, rebuilding when the thread's input layout or language is no
  // longer the one the keys were built for.
  void checkInputLanguage();

  KeyboardModel& model() { return model_; }
  const KeyboardModel& model() const { return model_; }
  KeyboardInput& input() { return input_; }
  const KeyboardInput& input() const { return input_; }
  // A full repaint, drawn into `dc` at 0, 0 as the window paints itself.
  void paintTo(HDC dc);

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onPaint(HDC dc, const RECT& dirty) override;
  void onHide() override;
  void onDpiChanged() override;

 private:
  void invalidate() override;
  void paintKey(const TCustomKeyboardButton& key) override;
  void buildKeys();
  void inputLanguageChanged();
  void fitWindow();
  void mouse(UINT msg, LPARAM lParam);
  void touch(WPARAM wParam, LPARAM lParam);
  void endCapture();
  bool pointerOutside() const;

  Platform platform_;
  WinTimer FChangeTimer;
  WinTimer FRepeat;
  KeyboardModel model_;
  KeyboardInput input_;
  KeyboardPainter painter_;
  Bounds wanted_{};
  std::wstring face_;       // the keyboard's own font face, for keys painted on their own
  HKL builtFor_ = nullptr;  // the input layout the keys were built for
  bool trackingLeave_ = false;
  bool capturing_ = false;  // the mouse is captured while it holds a key
};

}  // namespace orvanta
