#include "session/touch_keyboard_win.h"

#include "ui/key_injector_win.h"
#include "ui/keyboard_translation_win.h"

namespace orvanta {

TTouchKeyboard::Platform TTouchKeyboard::platform() {
  return {std::make_unique<WinKeyboardTranslation>(), std::make_unique<WinInputLanguage>(),
          std::make_unique<WinKeyInjector>(), &keyboardLayouts()};
}

TTouchKeyboard::TTouchKeyboard(Application& app, Platform platform)
    : Window(app),
      platform_(std::move(platform)),
      FChangeTimer(app, TouchKeyboardCore::kChangeIntervalMs),
      FRepeat(app),
      core_({*platform_.layouts, *platform_.translation, *platform_.inputLanguage, FChangeTimer,
             *platform_.injector, FRepeat},
            *this) {}

TTouchKeyboard::~TTouchKeyboard() {
  destroy();
}

void TTouchKeyboard::create(Window& parent, const Bounds& b) {
  LOGFONTW parentFont{};
  GetObjectW(parent.font(), sizeof parentFont, &parentFont);
  face_ = parentFont.lfFaceName;
  wanted_ = b;
  createChild(parent, L"TTouchKeyboard", b);
  core_.setSize({b.width, b.height});
  buildKeys();
}

void TTouchKeyboard::setBounds(const Bounds& b) {
  wanted_ = b;
  core_.setSize({b.width, b.height});
  fitWindow();
}

void TTouchKeyboard::fitWindow() {
  const KeyboardSize size = core_.size();
  SetWindowPos(hwnd(), nullptr, wanted_.left, wanted_.top, size.width, size.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTouchKeyboard::buildKeys() {
  builtFor_ = GetKeyboardLayout(0);
  core_.buildKeys();
  // Another layout may have other size limits.
  fitWindow();
}

void TTouchKeyboard::inputLanguageChanged() {
  builtFor_ = GetKeyboardLayout(0);
  core_.inputLanguageChanged();
  fitWindow();
}

void TTouchKeyboard::paintTo(HDC dc) {
  const KeyboardSize size = core_.size();
  painter_.paintAll(dc, core_, backgroundBrush(), {size.width, size.height});
}

void TTouchKeyboard::onPaint(HDC dc, const RECT&) {
  paintTo(dc);
}

void TTouchKeyboard::invalidate() {
  // Without a window there is nothing to repaint (and a null window would mean every window).
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void TTouchKeyboard::paintKey(const TCustomKeyboardButton& key) {
  if (!hwnd() || !IsWindowVisible(hwnd())) return;
  WindowDc dc(hwnd());
  painter_.paintKey(dc.get(), core_, key, face_);
}

LRESULT TTouchKeyboard::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // every paint covers the whole keyboard: erasing first would flicker
    case WM_INPUTLANGCHANGE:
      inputLanguageChanged();
      break;
    case WM_SHOWWINDOW:
      // The notification goes to the active window: a change made while another of the
      // program's windows was active is caught up with here.
      if (wParam && builtFor_ && GetKeyboardLayout(0) != builtFor_) inputLanguageChanged();
      break;
    default:
      break;
  }
  return Window::handleMessage(msg, wParam, lParam);
}

}  // namespace orvanta
