#include "ui/controls_win.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "ui/text_win.h"

namespace orvanta {

namespace {

const wchar_t kControlProperty[] = L"Orvanta.Control";

}  // namespace

Control::~Control() {
  if (!hwnd_) return;
  RemoveWindowSubclass(hwnd_.get(), &subclassProc, 0);
  RemovePropW(hwnd_.get(), kControlProperty);
  hwnd_.reset();
}

Control* Control::fromHandle(HWND hwnd) {
  return hwnd ? static_cast<Control*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void Control::create(Window& parent, const wchar_t* className, const Bounds& b,
                     std::string_view text, DWORD style, DWORD exStyle, bool visible) {
  parent_ = &parent;
  design_ = b;
  const Bounds px = parent.scale(b);
  hwnd_.reset(CreateWindowExW(exStyle, className, widen(text).c_str(),
                              style | WS_CHILD | (visible ? WS_VISIBLE : 0) | WS_CLIPSIBLINGS,
                              px.left, px.top, px.width, px.height, parent.hwnd(), nullptr,
                              GetModuleHandleW(nullptr), nullptr));
  if (!hwnd_) throw std::runtime_error("CreateWindowEx failed for a control");
  SetPropW(hwnd_.get(), kControlProperty, this);
  SetWindowSubclass(hwnd_.get(), &subclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  setFont(parent.font());
}

void Control::createWhenNeeded(Window& parent, std::function<void()> create) {
  parent_ = &parent;
  whenNeeded_.set(std::move(create));
}

LRESULT CALLBACK Control::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
  auto* self = reinterpret_cast<Control*>(data);
  if (msg == WM_NCDESTROY) {
    // Destroyed with its parent window: the wrapper no longer owns a handle.
    RemoveWindowSubclass(hwnd, &subclassProc, 0);
    RemovePropW(hwnd, kControlProperty);
    self->hwnd_.release();
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  try {
    if (self->filterMessage(msg, wParam)) return 0;
  } catch (...) {
    // A handler's failure goes to the error box, never through the platform's window code.
    self->parent_->app().handleException(std::current_exception());
    return 0;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

std::string Control::text() const {
  return windowText(hwnd());
}

void Control::setText(std::string_view utf8) {
  setWindowText(hwnd(), utf8);
}

void Control::setBounds(const Bounds& b) {
  SetWindowPos(hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Bounds Control::bounds() const {
  RECT r;
  GetWindowRect(hwnd(), &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool Control::visible() const {
  return hwnd_ && (GetWindowLongPtrW(hwnd_.get(), GWL_STYLE) & WS_VISIBLE);
}
void Control::setVisible(bool visible) {
  if (!visible && !hwnd_) return;
  ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}
bool Control::enabled() const {
  return IsWindowEnabled(hwnd());
}
void Control::setEnabled(bool enabled) {
  EnableWindow(hwnd(), enabled);
}
void Control::setFont(HFONT font) {
  // Redrawn only on the screen: a control that is not there yet is painted whole when it is.
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), IsWindowVisible(hwnd()));
}
void Control::setFont(const FontSpec& font) {
  fontFace_ = font.face;
  fontSpec_ = font;
  fontSpec_->face = fontFace_;
  font_ = createFont(*fontSpec_, parent_->dpi());
  setFont(font_.get());
}

void Control::applyDpi() {
  setBounds(parent_->scale(design_));
  if (fontSpec_) {
    UniqueHfont old = std::move(font_);
    font_ = createFont(*fontSpec_, parent_->dpi());
    setFont(font_.get());
  } else {
    setFont(parent_->font());
  }
}

void Control::setFocus() {
  SetFocus(hwnd());
}
bool Control::focused() const {
  return GetFocus() == hwnd();
}

void Control::setTextColor(COLORREF color) {
  textColor_ = color;
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void Control::setBackgroundColor(COLORREF color) {
  background_.reset(CreateSolidBrush(color));
  InvalidateRect(hwnd(), nullptr, TRUE);
}

HBRUSH Control::colors(HDC dc) {
  if (textColor_) SetTextColor(dc, *textColor_);
  HBRUSH brush = background_ ? background_.get() : parent_->backgroundBrush();
  LOGBRUSH lb{};
  GetObjectW(brush, sizeof lb, &lb);
  SetBkColor(dc, lb.lbColor);
  return brush;
}

void Label::create(Window& parent, const Bounds& b, std::string_view text, Align align) {
  const DWORD alignment =
      align == Align::center ? SS_CENTER : (align == Align::right ? SS_RIGHT : SS_LEFT);
  Control::create(parent, L"STATIC", b, text, alignment | SS_NOTIFY);
}

void Label::command(WORD code) {
  if (code == STN_CLICKED && onClick) onClick();
}

void Edit::create(Window& parent, const Bounds& b, std::string_view text, const Options& o) {
  DWORD style =
      WS_TABSTOP | (o.multiLine ? ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL : ES_AUTOHSCROLL);
  if (o.password) style |= ES_PASSWORD;
  if (o.lowerCase) style |= ES_LOWERCASE;
  if (o.readOnly) style |= ES_READONLY;
  Control::create(parent, L"EDIT", b, text, style, o.border ? WS_EX_CLIENTEDGE : 0, o.visible);
  if (o.password) SendMessageW(hwnd(), EM_SETPASSWORDCHAR, o.passwordChar, 0);
}

void Edit::command(WORD code) {
  if (code == EN_CHANGE && onChange) onChange();
  if (code == EN_KILLFOCUS && onExit) onExit();
}

bool Edit::filterMessage(UINT msg, WPARAM wParam) {
  switch (msg) {
    case WM_KEYDOWN:
      if (onKeyDown) onKeyDown(static_cast<unsigned>(wParam));
      return false;
    case WM_KEYUP:
      if (onKeyUp) onKeyUp(static_cast<unsigned>(wParam));
      return false;
    case WM_CHAR:
      // A one-line field has no use for Enter; the platform would only beep.
      return wParam == L'\r' && !(GetWindowLongPtrW(hwnd(), GWL_STYLE) & ES_MULTILINE);
    default:
      return false;
  }
}

void Button::create(Window& parent, const Bounds& b, std::string_view text, bool flat) {
  Control::create(parent, L"BUTTON", b, text, BS_PUSHBUTTON | WS_TABSTOP | (flat ? BS_FLAT : 0));
}

void Button::click() {
  if (onClick) onClick();
}

void Button::command(WORD code) {
  if (code == BN_CLICKED) click();
}

void CheckBox::create(Window& parent, const Bounds& b, std::string_view text) {
  Control::create(parent, L"BUTTON", b, text, BS_AUTOCHECKBOX | WS_TABSTOP);
}

bool CheckBox::checked() const {
  return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::setChecked(bool checked) {
  SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::command(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

void RadioGroup::create(Window& parent, const Bounds& b, std::string_view caption,
                        const std::vector<std::string>& items, int columns, bool visible) {
  texts_ = items;
  if (visible) {
    make(parent, b, caption, columns, true, std::nullopt);
    return;
  }
  // New children go last in the tab order: the frame and its items will follow the one that is
  // last now.
  const HWND first = GetWindow(parent.hwnd(), GW_CHILD);
  const HWND after = first ? GetWindow(first, GW_HWNDLAST) : HWND_TOP;
  createWhenNeeded(parent, [this, &parent, b, caption = std::string(caption), columns, after] {
    make(parent, b, caption, columns, false, after);
  });
}

void RadioGroup::make(Window& parent, const Bounds& b, std::string_view caption, int columns,
                      bool visible, std::optional<HWND> after) {
  Control::create(parent, L"BUTTON", b, caption, BS_GROUPBOX, 0, visible);
  if (texts_.empty()) return;
  columns = std::max(columns, 1);
  const int perColumn = (static_cast<int>(texts_.size()) + columns - 1) / columns;
  const int top = 14;  // below the frame's caption line
  const int itemWidth = (b.width - 8) / columns;
  const int itemHeight = std::max((b.height - top - 4) / perColumn, 1);
  HWND previous = after.value_or(nullptr);
  for (size_t i = 0; i < texts_.size(); ++i) {
    const int column = static_cast<int>(i) / perColumn;
    const int row = static_cast<int>(i) % perColumn;
    auto item = std::make_unique<Item>();
    item->create(
        *this, parent,
        {b.left + 4 + column * itemWidth, b.top + top + row * itemHeight, itemWidth, itemHeight},
        texts_[i], i == 0, visible);
    if (after) {
      SetWindowPos(item->hwnd(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = item->hwnd();
    }
    items_.push_back(std::move(item));
  }
  // The frame goes just below its items: siblings clip each other by stacking, so a frame above
  // them would paint over them. The items keep the frame's place in the tab order (the frame
  // itself is no tab stop).
  SetWindowPos(hwnd(), items_.back()->hwnd(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (index_ >= 0) setItemIndex(index_);
}

int RadioGroup::itemIndex() const {
  if (items_.empty()) return index_;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (SendMessageW(items_[i]->hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED)
      return static_cast<int>(i);
  }
  return -1;
}

void RadioGroup::setItemIndex(int index) {
  index_ = index;
  for (size_t i = 0; i < items_.size(); ++i) {
    SendMessageW(items_[i]->hwnd(), BM_SETCHECK,
                 static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void RadioGroup::setVisible(bool visible) {
  Control::setVisible(visible);
  for (auto& item : items_) item->setVisible(visible);
}

void RadioGroup::setEnabled(bool enabled) {
  Control::setEnabled(enabled);
  for (auto& item : items_) item->setEnabled(enabled);
}

void RadioGroup::Item::create(RadioGroup& group, Window& parent, const Bounds& b,
                              std::string_view text, bool first, bool visible) {
  group_ = &group;
  Control::create(parent, L"BUTTON", b, text,
                  BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0), 0, visible);
}

void RadioGroup::Item::command(WORD code) {
  if (code == BN_CLICKED && group_->onClick) group_->onClick();
}

void ProgressBar::create(Window& parent, const Bounds& b) {
  Control::create(parent, PROGRESS_CLASSW, b, {}, 0);
  setRange(0, 100);
}

void ProgressBar::setRange(int minimum, int maximum) {
  SendMessageW(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

int ProgressBar::minimum() const {
  return static_cast<int>(SendMessageW(hwnd(), PBM_GETRANGE, TRUE, 0));
}

int ProgressBar::maximum() const {
  return static_cast<int>(SendMessageW(hwnd(), PBM_GETRANGE, FALSE, 0));
}

void ProgressBar::setPosition(int position) {
  SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int ProgressBar::position() const {
  return static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0));
}

void Panel::create(Window& parent, const Bounds& b, COLORREF color) {
  setColor(color);
  createChild(parent, L"OrvantaPanel", b);
}

void Picture::create(Window& parent, const Bounds& b) {
  setColor(RGB(255, 255, 255));
  createChild(parent, L"OrvantaPicture", b, 0, 0);
}

void Picture::setBitmap(UniqueHbitmap bitmap) {
  draw_ = nullptr;
  bitmap_ = std::move(bitmap);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void Picture::setBitmap(std::function<UniqueHbitmap()> draw) {
  bitmap_.reset();
  draw_ = std::move(draw);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void Picture::onPaint(HDC dc, const RECT&) {
  if (draw_) {
    // Let go of the drawer first: a failing one is not tried again on every paint.
    const auto draw = std::exchange(draw_, nullptr);
    bitmap_ = draw();
  }
  if (!bitmap_) return;
  BITMAP info{};
  GetObjectW(bitmap_.get(), sizeof info, &info);
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  SelectGuard select(memory.get(), bitmap_.get());
  const RECT r = clientRect();
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, 0, 0, r.right, r.bottom, memory.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

void Picture::onMouseUp(int, int) {
  if (onClick) onClick();
}

}  // namespace orvanta
