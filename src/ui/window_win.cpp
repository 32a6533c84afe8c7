#include "ui/window_win.h"

#include <windowsx.h>

#include <stdexcept>

#include "ui/application_win.h"
#include "ui/controls_win.h"
#include "ui/dpi_win.h"
#include "ui/text_win.h"
#include "ui/work_area_win.h"

namespace orvanta {

namespace {

void registerClass(const wchar_t* className, WNDPROC proc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, className, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, L"MAINICON");
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

}  // namespace

UniqueHfont createFont(const FontSpec& font, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -scaleToDpi(font.heightPx, dpi);  // negative: character height, not cell height
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfCharSet = font.charSet;
  lf.lfQuality = DEFAULT_QUALITY;
  font.face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return UniqueHfont(CreateFontIndirectW(&lf));
}

Window::Window(Application& app) : app_(app) {}

HFONT Window::font() const {
  if (!font_) font_ = createFont(fontSpec_, dpi_);
  return font_.get();
}

void Window::setFont(const FontSpec& font) {
  fontFace_ = font.face;
  fontSpec_ = font;
  fontSpec_.face = fontFace_;
  font_.reset();
}

int Window::scale(int designPx) const {
  return scaleToDpi(designPx, dpi_);
}

Bounds Window::scale(const Bounds& design) const {
  return scaleToDpi(design, dpi_);
}

Window::~Window() {
  destroy();
  app_.forgetWindow(*this);
}

Window* Window::fromHandle(HWND hwnd) {
  if (!hwnd || GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&windowProc))
    return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::create(const wchar_t* className, const std::wstring& caption, DWORD style,
                    DWORD exStyle, int x, int y, int width, int height, HWND parent) {
  registerClass(className, &windowProc);
  CreateWindowExW(exStyle, className, caption.c_str(), style, x, y, width, height, parent, nullptr,
                  GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw std::runtime_error("CreateWindowEx failed");
}

void Window::createTopLevel(const TopLevelOptions& options) {
  const DWORD style = options.style & ~WS_VISIBLE;
  dpi_ = systemDpi();
  smallestClient_ = options.smallestClient;
  const int clientWidth = scale(options.clientWidth);
  const int clientHeight = scale(options.clientHeight);
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, options.exStyle);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  POINT at;
  if (options.position) {
    at = {scale(options.position->x), scale(options.position->y)};
  } else {
    at.x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    at.y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  create(options.className, widen(options.caption), style, options.exStyle, at.x, at.y, width,
         height, nullptr);
  // Some window managers change the frame after creation: make sure of the client size.
  RECT client;
  GetClientRect(hwnd_, &client);
  if (client.right != clientWidth || client.bottom != clientHeight) {
    SetWindowPos(hwnd_, nullptr, 0, 0, width + clientWidth - client.right,
                 height + clientHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Then, with its real frame, onto the screen.
  RECT placed;
  GetWindowRect(hwnd_, &placed);
  const RECT fitted = fitOnScreen(placed, style, options.exStyle);
  if (!EqualRect(&placed, &fitted)) {
    SetWindowPos(hwnd_, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT Window::fitOnScreen(const RECT& outer, DWORD style, DWORD exStyle) const {
  SIZE smallest{outer.right - outer.left, outer.bottom - outer.top};
  if (smallestClient_) {
    RECT r{0, 0, scale(smallestClient_->cx), scale(smallestClient_->cy)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    smallest = {r.right - r.left, r.bottom - r.top};
  }
  return fitToWorkArea(outer, smallest);
}

void Window::createChild(Window& parent, const wchar_t* className, const Bounds& b, DWORD style,
                         DWORD exStyle, bool visible) {
  dpi_ = parent.dpi();
  design_ = b;
  const Bounds px = scale(b);
  create(className, L"", style | WS_CHILD | (visible ? WS_VISIBLE : 0) | WS_CLIPSIBLINGS, exStyle,
         px.left, px.top, px.width, px.height, parent.hwnd());
}

void Window::applyDpi(int dpi) {
  dpi_ = dpi;
  const UniqueHfont old = std::move(font_);  // the controls still show it until they have the new
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (Control* control = Control::fromHandle(child)) {
      control->applyDpi();
    } else if (Window* window = fromHandle(child)) {
      window->applyDpi(dpi);
      window->setBounds(scale(window->design_));
    }
  }
  onDpiChanged();
}

void Window::createMessageOnly(const wchar_t* className) {
  create(className, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
}

void Window::destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Window::show() {
  ShowWindow(hwnd(), SW_SHOW);
}
void Window::showMaximized() {
  ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
}
void Window::hide() {
  // Never made, it is hidden already.
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}
bool Window::visible() const {
  return IsWindowVisible(hwnd_);
}

void Window::close() {
  if (!onCloseQuery()) return;
  onClose();
  if (modal_) {
    modalResult_ = IDCANCEL;
  } else if (app_.mainWindow() == this) {
    app_.terminate();
  } else {
    hide();
  }
}

int Window::showModal(Window* owner) {
  return app_.showModal(*this, owner);
}

std::string Window::caption() const {
  return windowText(hwnd());
}

void Window::setCaption(std::string_view utf8) {
  setWindowText(hwnd(), utf8);
}

SIZE Window::clientSize() const {
  const RECT r = clientRect();
  return {r.right, r.bottom};
}

RECT Window::clientRect() const {
  RECT r{};
  GetClientRect(hwnd(), &r);
  return r;
}

void Window::setBounds(const Bounds& b) {
  SetWindowPos(hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::setColor(COLORREF color) {
  background_.reset(CreateSolidBrush(color));
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH Window::backgroundBrush() const {
  return background_ ? background_.get() : GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT CALLBACK Window::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    // Late messages must never reach an object that is going away.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  try {
    return self->dispatch(msg, wParam, lParam);
  } catch (...) {
    self->app_.handleException(std::current_exception());
    return 0;
  }
}

LRESULT Window::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (Control* c = Control::fromHandle(reinterpret_cast<HWND>(lParam))) {
        c->command(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (Control* c = Control::fromHandle(header->hwndFrom)) return c->notify(*header);
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (Control* c = Control::fromHandle(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = c->colors(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      }
      break;
    default:
      break;
  }
  return handleMessage(msg, wParam, lParam);
}

LRESULT Window::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (lParam == 0) wParam ? onShow() : onHide();
      break;
    case WM_CLOSE:
      close();
      return 0;
    case WM_SIZE:
      onResize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, backgroundBrush());
      return 1;
    }
    case WM_PAINT: {
      PaintDc dc(hwnd_);
      onPaint(dc.get(), dc.dirty());
      return 0;
    }
    case WM_TIMER:
      onTimer(wParam);
      return 0;
    case WM_LBUTTONDOWN:
      onMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      onMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_KEYDOWN:
      onKeyDown(static_cast<unsigned>(wParam));
      return 0;
    case WM_KEYUP:
      onKeyUp(static_cast<unsigned>(wParam));
      return 0;
    case WM_DPICHANGED: {
      applyDpi(HIWORD(wParam));
      // A monitor of a larger scale may be too small for the suggested size.
      const RECT r = fitOnScreen(*reinterpret_cast<const RECT*>(lParam),
                                 static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                                 static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
      SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      // Laid out again even when the suggested size is the old one.
      const SIZE client = clientSize();
      onResize(client.cx, client.cy);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    }
    default:
      break;
  }
  return defaultHandling(msg, wParam, lParam);
}

LRESULT Window::defaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace orvanta
