#include "ui/speed_button_win.h"

#include <windowsx.h>

#include "ui/text_win.h"

namespace orvanta {

void SpeedButton::create(Window& parent, const Bounds& b, std::string_view text) {
  parent_ = &parent;
  // No tab stop and no control parent: nothing ever moves the focus here.
  createChild(parent, L"OrvantaSpeedButton", b, 0, 0);
  setCaption(text);
}

Bounds SpeedButton::bounds() const {
  RECT r;
  GetWindowRect(hwnd(), &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool SpeedButton::enabled() const {
  return IsWindowEnabled(hwnd());
}

void SpeedButton::setEnabled(bool enabled) {
  EnableWindow(hwnd(), enabled);
  if (!enabled) setLook(false, false);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void SpeedButton::click() {
  if (onClick) onClick();
}

bool SpeedButton::inside(int x, int y) const {
  const RECT r = clientRect();
  return PtInRect(&r, POINT{x, y});
}

void SpeedButton::setLook(bool hot, bool pressed) {
  if (hot == hot_ && pressed == pressed_) return;
  hot_ = hot;
  pressed_ = pressed;
  InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT SpeedButton::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDBLCLK:
      // The second click of a quick pair is a click like the first.
      onMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSELEAVE:
      setLook(false, pressed_);
      return 0;
    case WM_CAPTURECHANGED:
      // Released here or taken away (a box opening, say): no longer held down.
      setLook(hot_, false);
      return 0;
    default:
      return Window::handleMessage(msg, wParam, lParam);
  }
}

void SpeedButton::onMouseDown(int x, int y) {
  SetCapture(hwnd());
  setLook(inside(x, y), true);
}

void SpeedButton::onMouseMove(int x, int y) {
  const bool over = inside(x, y);
  if (over && !hot_) trackLeave();
  setLook(over, pressed_);
}

void SpeedButton::onMouseUp(int x, int y) {
  if (!pressed_) return;
  const bool over = inside(x, y);
  ReleaseCapture();
  // The capture ended the tracking of the mouse leaving.
  if (over) trackLeave();
  setLook(over, false);
  if (!over) return;
  click();
  // The action may have run a modal window, while which the pointer's leaving went unseen.
  followPointer();
}

void SpeedButton::followPointer() {
  if (!hwnd()) return;
  POINT at;
  const bool over = GetCursorPos(&at) && WindowFromPoint(at) == hwnd();
  if (over) trackLeave();
  setLook(over, false);
}

void SpeedButton::trackLeave() {
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
  TrackMouseEvent(&track);
}

void SpeedButton::onPaint(HDC dc, const RECT&) {
  RECT r = clientRect();
  const bool down = pressed_ && hot_;
  if (down) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else if (hot_) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  if (down) OffsetRect(&r, 1, 1);
  // Asked at each painting: the parent makes a new font when its dpi changes.
  SelectGuard font(dc, parent_->font());
  SetBkMode(dc, TRANSPARENT);
  const std::wstring label = widen(text());
  SetTextColor(dc, GetSysColor(enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace orvanta
