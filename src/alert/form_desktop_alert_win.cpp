#include "alert/form_desktop_alert_win.h"

#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "ui/gradient_win.h"
#include "ui/text_win.h"

namespace orvanta {

namespace {

// The message font, and the close cross: "r" of the Marlett symbol font at 7 points (9 px).
constexpr int kMessageFontPx = 13;
constexpr int kGlyphFontPx = 9;

RECT toRect(const AlertBox& b) {
  return {b.left, b.top, b.left + b.width, b.top + b.height};
}

void fill(HDC dc, const RECT& r, Rgb color) {
  const UniqueHbrush brush(CreateSolidBrush(colorRef(color)));
  FillRect(dc, &r, brush.get());
}

SIZE iconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {0, 0};
  const UniqueHbitmap color(info.hbmColor);
  const UniqueHbitmap mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(color ? color.get() : mask.get(), sizeof bitmap, &bitmap);
  // A monochrome icon keeps its mask and its picture one above the other.
  return {bitmap.bmWidth, color ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

}  // namespace

TJvFormDesktopAlert::TJvFormDesktopAlert(Application& app)
    : Window(app),
      layout_(layoutDesktopAlert(kDesktopAlertWidth, 0, 0)),
      textFont_(
          createFont({.face = L"Tahoma", .heightPx = kMessageFontPx, .charSet = ANSI_CHARSET})),
      glyphFont_(
          createFont({.face = L"Marlett", .heightPx = kGlyphFontPx, .charSet = SYMBOL_CHARSET})) {
  // Made when the alert is first shown: many sessions never show one.
  createWhenNeeded([this] {
    createTopLevel({.className = L"TJvFormDesktopAlert",
                    .clientWidth = kDesktopAlertWidth,
                    .clientHeight = kDesktopAlertHeight,
                    .position = POINT{0, 0},
                    .style = WS_POPUP,
                    .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE});
  });
}

TJvFormDesktopAlert::~TJvFormDesktopAlert() {
  destroy();
}

void TJvFormDesktopAlert::setIcon(UniqueHicon icon) {
  icon_ = std::move(icon);
  // The icon is drawn for this window's dpi; the layout is in design pixels.
  const SIZE size = icon_ ? iconSize(icon_.get()) : SIZE{0, 0};
  layout_ = layoutDesktopAlert(kDesktopAlertWidth, MulDiv(size.cx, kDesignDpi, dpi()),
                               MulDiv(size.cy, kDesignDpi, dpi()));
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void TJvFormDesktopAlert::setBounds(const Rect& b) {
  Window::setBounds({b.left, b.top, b.width(), b.height()});
}

void TJvFormDesktopAlert::setMessageText(std::string_view text) {
  text_ = widen(text);
  repaint(layout_.lblText);
  UpdateWindow(hwnd());
}

void TJvFormDesktopAlert::showWithoutActivation() {
  // Where the focus goes back if showing took it anyway: the window that has it, else the
  // program's active or main window.
  HWND parent = GetActiveWindow();
  if (!parent && app().mainWindow()) parent = app().mainWindow()->hwnd();
  HWND focused = GetFocus();
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (GetFocus() == focused) return;
  if (focused) {
    SetFocus(focused);
  } else if (parent) {
    SetActiveWindow(parent);
  }
}

void TJvFormDesktopAlert::setAlphaBlendValue(int alpha) {
  if (!alphaBlendAvailable_) return;
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  if (SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha), LWA_ALPHA)) return;
  // A layered window without attributes is never drawn: fall back to a plain, opaque one.
  alphaBlendAvailable_ = false;
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
}

LRESULT TJvFormDesktopAlert::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      // A click leaves the active window and the keyboard focus where they are.
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_MOUSELEAVE:
      pointerLeft();
      return 0;
    case WM_CAPTURECHANGED: {
      const ButtonLook before = closeButton_.look();
      closeButton_.captureLost();
      closeButtonChanged(before);
      return 0;
    }
    default:
      return Window::handleMessage(msg, wParam, lParam);
  }
}

void TJvFormDesktopAlert::onPaint(HDC dc, const RECT&) {
  // Drawn off screen first, so the bands never flicker.
  const RECT client = clientRect();
  const UniqueMemoryDc memory(CreateCompatibleDC(dc));
  const UniqueHbitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
  const SelectGuard select(memory.get(), bitmap.get());
  // Painted in design coordinates; the copy below must see no scaling.
  const int saved = SaveDC(memory.get());
  scaleDrawing(memory.get(), dpi());
  paint(memory.get());
  RestoreDC(memory.get(), saved);
  // At its own size, which is already the window's scale: stretched it would blur.
  if (icon_) {
    DrawIconEx(memory.get(), scale(layout_.imIcon.left), scale(layout_.imIcon.top), icon_.get(), 0,
               0, 0, nullptr, DI_NORMAL);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void TJvFormDesktopAlert::paint(HDC dc) const {
  const RECT client{0, 0, kDesktopAlertWidth, kDesktopAlertHeight};
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  for (const SolidFill& f : desktopAlertBackground(client.right, client.bottom, colors_))
    fill(dc, toRect(f.box), f.color);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  {
    const SelectGuard font(dc, textFont_.get());
    RECT box = toRect(layout_.lblText);
    DrawTextW(dc, text_.c_str(), -1, &box,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  paintCloseButton(dc);
}

void TJvFormDesktopAlert::paintCloseButton(HDC dc) const {
  RECT box = toRect(layout_.tbClose);
  const ButtonLook look = closeButton_.look();
  if (look != ButtonLook::normal) {
    fill(dc, box, kCloseButtonHotFrame);
    RECT inside = box;
    InflateRect(&inside, -1, -1);
    fill(dc, inside, look == ButtonLook::pressed ? kCloseButtonPressedFill : kCloseButtonHotFill);
  }
  const SelectGuard font(dc, glyphFont_.get());
  DrawTextW(dc, L"r", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

POINT TJvFormDesktopAlert::toDesign(int x, int y) const {
  return {MulDiv(x, kDesignDpi, dpi()), MulDiv(y, kDesignDpi, dpi())};
}

void TJvFormDesktopAlert::onMouseMove(int x, int y) {
  const POINT at = toDesign(x, y);
  if (!trackingPointer_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
    trackingPointer_ = TrackMouseEvent(&track);
    if (onPointerEnter) onPointerEnter();
  }
  const ButtonLook before = closeButton_.look();
  closeButton_.pointerMoved(layout_.tbClose.contains(at.x, at.y));
  closeButtonChanged(before);
}

void TJvFormDesktopAlert::onMouseDown(int x, int y) {
  const POINT at = toDesign(x, y);
  const ButtonLook before = closeButton_.look();
  if (closeButton_.pressed(layout_.tbClose.contains(at.x, at.y))) SetCapture(hwnd());
  closeButtonChanged(before);
}

void TJvFormDesktopAlert::onMouseUp(int x, int y) {
  const POINT at = toDesign(x, y);
  const ButtonLook before = closeButton_.look();
  const bool click = closeButton_.released(layout_.tbClose.contains(at.x, at.y));
  if (GetCapture() == hwnd()) ReleaseCapture();
  closeButtonChanged(before);
  if (click && onCloseButtonClick) onCloseButtonClick();
}

void TJvFormDesktopAlert::pointerLeft() {
  trackingPointer_ = false;
  const ButtonLook before = closeButton_.look();
  closeButton_.pointerLeft();
  closeButtonChanged(before);
  if (onPointerLeave) onPointerLeave();
}

void TJvFormDesktopAlert::closeButtonChanged(ButtonLook before) {
  if (closeButton_.look() != before) repaint(layout_.tbClose);
}

void TJvFormDesktopAlert::repaint(const AlertBox& box) {
  const Bounds b = Window::scale(Bounds{box.left, box.top, box.width, box.height});
  const RECT r{b.left, b.top, b.left + b.width, b.top + b.height};
  InvalidateRect(hwnd(), &r, FALSE);
}

}  // namespace orvanta
