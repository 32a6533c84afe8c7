#include "keyboard/touch_keyboard_win.h"

#include <windowsx.h>

#include <vector>

#include "ui/key_injector_win.h"
#include "ui/keyboard_translation_win.h"

namespace orvanta {
namespace {

// Asked before press-and-hold turns into a right click and before tap feedback is drawn.
constexpr UINT kTabletQuerySystemGestureStatus = 0x02CC;
constexpr LRESULT kNoTabletGestures = 0x00000001 /* press and hold */ | 0x00000008 /* tap */ |
                                      0x00000010 /* barrel */ | 0x00010000 /* flicks */;

// Mouse messages the platform makes up from touch input carry this mark: the touch
// messages themselves are handled already.
bool fromTouch() {
  return (static_cast<DWORD>(GetMessageExtraInfo()) & 0xFFFFFF80) == 0xFF515780;
}

}  // namespace

TTouchKeyboard::Platform TTouchKeyboard::platform() {
  return {std::make_unique<WinKeyboardTranslation>(), std::make_unique<WinInputLanguage>(),
          std::make_unique<WinKeyInjector>(), &keyboardLayouts()};
}

TTouchKeyboard::TTouchKeyboard(Application& app, Platform platform)
    : Window(app),
      platform_(std::move(platform)),
      FChangeTimer(app, KeyboardModel::kChangeIntervalMs),
      FRepeat(app),
      model_({*platform_.layouts, *platform_.translation, *platform_.inputLanguage, FChangeTimer},
             *this),
      input_(model_, {*platform_.translation, *platform_.injector, FRepeat}) {}

TTouchKeyboard::~TTouchKeyboard() {
  destroy();
}

void TTouchKeyboard::create(Window& parent, const Bounds& b, bool visible) {
  LOGFONTW parentFont{};
  GetObjectW(parent.font(), sizeof parentFont, &parentFont);
  face_ = parentFont.lfFaceName;
  createChild(parent, L"TTouchKeyboard", b, 0, WS_EX_CONTROLPARENT, visible);
  wanted_ = scale(b);
  painter_.setDpi(dpi());
  // Fails on systems without touch input, where the mouse is all there is.
  RegisterTouchWindow(hwnd(), 0);
  model_.setSize({wanted_.width, wanted_.height});
  if (visible) buildKeys();
}

void TTouchKeyboard::onDpiChanged() {
  painter_.setDpi(dpi());
  invalidate();
}

void TTouchKeyboard::setBounds(const Bounds& b) {
  wanted_ = b;
  model_.setSize({b.width, b.height});
  fitWindow();
}

void TTouchKeyboard::fitWindow() {
  const KeyboardSize size = model_.size();
  SetWindowPos(hwnd(), nullptr, wanted_.left, wanted_.top, size.width, size.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTouchKeyboard::buildKeys() {
  builtFor_ = GetKeyboardLayout(0);
  model_.buildKeys();
  // Another layout may have other size limits.
  fitWindow();
}

void TTouchKeyboard::inputLanguageChanged() {
  builtFor_ = GetKeyboardLayout(0);
  model_.inputLanguageChanged();
  fitWindow();
}

void TTouchKeyboard::checkInputLanguage() {
  // Not built yet: the keys read the language when the keyboard is first shown.
  if (!builtFor_) return;
  if (GetKeyboardLayout(0) != builtFor_ || model_.inputLanguageMoved()) inputLanguageChanged();
}

void TTouchKeyboard::onHide() {
  endCapture();
  input_.releaseAll();
}

void TTouchKeyboard::endCapture() {
  if (!capturing_) return;
  capturing_ = false;
  ReleaseCapture();
}

bool TTouchKeyboard::pointerOutside() const {
  POINT at;
  RECT window;
  return GetCursorPos(&at) && GetWindowRect(hwnd(), &window) && !PtInRect(&window, at);
}

void TTouchKeyboard::mouse(UINT msg, LPARAM lParam) {
  if (fromTouch()) return;
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  switch (msg) {
    case WM_LBUTTONUP:
      endCapture();
      input_.pointerUp(0, x, y);
      break;
    case WM_MOUSEMOVE: {
      const RECT client = clientRect();
      if (capturing_ && !PtInRect(&client, POINT{x, y})) {
        // Seen at once through the capture, where the leave notification comes late.
        endCapture();
        input_.pointerLeave();
      } else {
        input_.pointerMove(0, x, y);
      }
      break;
    }
    default:  // a down, a double click counting as one
      // Held, the key must see its release wherever it happens.
      SetCapture(hwnd());
      capturing_ = true;
      input_.pointerDown(0, x, y);
      break;
  }
}

void TTouchKeyboard::touch(WPARAM wParam, LPARAM lParam) {
  const auto handle = reinterpret_cast<HTOUCHINPUT>(lParam);
  std::vector<TOUCHINPUT> inputs(LOWORD(wParam));
  if (GetTouchInputInfo(handle, static_cast<UINT>(inputs.size()), inputs.data(),
                        sizeof(TOUCHINPUT))) {
    for (const TOUCHINPUT& input : inputs) {
      POINT at{TOUCH_COORD_TO_PIXEL(input.x), TOUCH_COORD_TO_PIXEL(input.y)};
      ScreenToClient(hwnd(), &at);
      const int id = static_cast<int>(input.dwID);
      if (input.dwFlags & TOUCHEVENTF_DOWN) {
        input_.pointerDown(id, at.x, at.y);
      } else if (input.dwFlags & TOUCHEVENTF_UP) {
        input_.pointerUp(id, at.x, at.y);
      } else if (input.dwFlags & TOUCHEVENTF_MOVE) {
        input_.pointerMove(id, at.x, at.y);
      }
    }
  }
  CloseTouchInputHandle(handle);
}

void TTouchKeyboard::paintTo(HDC dc) {
  const KeyboardSize size = model_.size();
  painter_.paintAll(dc, model_, backgroundBrush(), {size.width, size.height});
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
  painter_.paintKey(dc.get(), model_, key, face_);
}

LRESULT TTouchKeyboard::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // every paint covers the whole keyboard: erasing first would flicker
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      mouse(msg, lParam);
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      // Taking the capture may end the tracking while the pointer is still here.
      if (!capturing_ || pointerOutside()) input_.pointerLeave();
      return 0;
    case WM_CAPTURECHANGED:
      // Taken away (a box opening, say): the release will not be seen here.
      if (capturing_) {
        capturing_ = false;
        input_.pointerLeave();
      }
      return 0;
    case WM_TOUCH:
      touch(wParam, lParam);
      return 0;
    case kTabletQuerySystemGestureStatus:
      return kNoTabletGestures;
    case WM_DESTROY:
      endCapture();
      UnregisterTouchWindow(hwnd());
      input_.releaseAll();
      break;
    case WM_INPUTLANGCHANGE:
      inputLanguageChanged();
      break;
    case WM_SHOWWINDOW:
      if (!wParam) break;
      if (builtFor_) {
        checkInputLanguage();
      } else {
        buildKeys();
      }
      break;
    default:
      break;
  }
  return Window::handleMessage(msg, wParam, lParam);
}

}  // namespace orvanta
