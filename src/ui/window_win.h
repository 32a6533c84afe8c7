// Base of every window of the program.
//
// A window class derives from Window, takes the Application in its constructor and, in the
// constructor body, calls createTopLevel(...) (or createChild(...) for panels and other custom
// child windows) and then creates its controls, which are members made empty and created with
// *this (or a Panel) as their parent:
//
//   class TFrmExample : public Window {
//    public:
//     explicit TFrmExample(Application& app) : Window(app) {
//       createTopLevel({.className = L"TFrmExample", .caption = "Example", .clientWidth = 300,
//                       .clientHeight = 200});
//       Button1.create(*this, {10, 10, 80, 25}, "OK");
//       Button1.onClick = [this] { core_.Button1Click(); };
//     }
//    protected:
//     void onShow() override { core_.FormShow(); }
//    private:
//     ExampleCore core_;
//     Button Button1;
//     Panel Panel1{app()};  // custom child windows (Panel, Picture) take the Application
//   };
//
// Messages reach named virtual handlers (onShow, onClose, onResize, ...); handleMessage can be
// overridden for anything else. Control notifications (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*)
// are reflected to the control object that sent them. An exception thrown by any handler goes
// to Application::handleException and the message loop goes on. A class whose handlers use its
// own members calls destroy() first in its destructor, so that no message arrives while those
// members are being destroyed.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/unique_handle_win.h"
#include "ui/when_needed.h"

namespace orvanta {

class Application;

// Left, top, width, height in pixels, relative to the parent's client area.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A font by face name and character height in pixels at 96 dpi (the em height, not the cell
// height). A symbol font needs SYMBOL_CHARSET for its glyphs to be reached by their codes.
struct FontSpec {
  std::wstring_view face;
  int heightPx = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  BYTE charSet = DEFAULT_CHARSET;
};

// The font for a screen of the given dpi.
UniqueHfont createFont(const FontSpec& font, int dpi = 96);

struct TopLevelOptions {
  const wchar_t* className = L"OrvantaWindow";
  std::string caption{};  // UTF-8
  int clientWidth = 0;    // at 96 dpi, as every size and position given to a window
  int clientHeight = 0;
  // Outer top-left corner on the screen; centred on the screen when empty.
  std::optional<POINT> position{};
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  // For a window that lays itself out again in onResize: the least client area its layout
  // needs (96 dpi), down to which it shrinks to fit on a small screen. Without it the window
  // keeps its size and is only moved.
  std::optional<SIZE> smallestClient{};
};

class Window {
 public:
  explicit Window(Application& app);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Made first when created with createWhenNeeded.
  HWND hwnd() const {
    if (!hwnd_ && whenNeeded_.pending()) whenNeeded_.run();
    return hwnd_;
  }
  Application& app() const { return app_; }
  // The Window that owns this handle, or null for windows of other kinds.
  static Window* fromHandle(HWND hwnd);

  void show();
  void showMaximized();
  void hide();
  bool visible() const;
  // As if the user closed it: asks onCloseQuery, runs onClose, then ends a modal run, ends the
  // program if this is the main window, or else hides the window.
  void close();
  // Shows the window modally, above `owner` when given, and returns its modal result
  // (IDCANCEL when closed).
  int showModal(Window* owner = nullptr);
  int modalResult() const { return modalResult_; }
  void setModalResult(int result) { modalResult_ = result; }
  bool modal() const { return modal_; }

  std::string caption() const;
  void setCaption(std::string_view utf8);
  SIZE clientSize() const;
  RECT clientRect() const;
  // In pixels: for layouts worked out from the client size.
  void setBounds(const Bounds& b);

  int dpi() const {
    hwnd();  // known once the window is on a monitor
    return dpi_;
  }
  // A design value (96 dpi) in this window's pixels.
  int scale(int designPx) const;
  Bounds scale(const Bounds& design) const;

  // The font given to controls created on this window. Default: Tahoma, 11 px.
  HFONT font() const;
  void setFont(const FontSpec& font);
  // Background colour of the client area and of the controls that show it.
  void setColor(COLORREF color);
  HBRUSH backgroundBrush() const;

 protected:
  void createTopLevel(const TopLevelOptions& options);
  // A child created hidden (visible false) is never shown and hidden again at start.
  void createChild(Window& parent, const wchar_t* className, const Bounds& b, DWORD style = 0,
                   DWORD exStyle = WS_EX_CONTROLPARENT, bool visible = true);
  // For a window made hidden at start that the user may never see: `create` (createTopLevel
  // and the controls) runs when the handle is first needed, to show the window, say.
  void createWhenNeeded(std::function<void()> create) { whenNeeded_.set(std::move(create)); }
  // A hidden window that only receives messages (timers, posted work).
  void createMessageOnly(const wchar_t* className);
  void destroy();

  virtual LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT defaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

  // Named handlers; the defaults do nothing.
  virtual void onShow() {}
  virtual void onHide() {}
  // False keeps the window open.
  virtual bool onCloseQuery() { return true; }
  virtual void onClose() {}
  virtual void onResize(int /*clientWidth*/, int /*clientHeight*/) {}
  // The background is already filled with the window's colour.
  virtual void onPaint(HDC /*dc*/, const RECT& /*dirty*/) {}
  virtual void onTimer(UINT_PTR /*id*/) {}
  virtual void onMouseDown(int /*x*/, int /*y*/) {}
  virtual void onMouseUp(int /*x*/, int /*y*/) {}
  virtual void onMouseMove(int /*x*/, int /*y*/) {}
  virtual void onKeyDown(unsigned /*virtualKey*/) {}
  virtual void onKeyUp(unsigned /*virtualKey*/) {}
  // After the window's fonts and controls were scaled to a new dpi; before its new size.
  virtual void onDpiChanged() {}

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  void create(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
              int x, int y, int width, int height, HWND parent);
  // Fonts and the children's bounds follow the new dpi, children's children too.
  void applyDpi(int dpi);
  // `outer` fitted onto the work area of its monitor, as small as smallestClient_ allows.
  RECT fitOnScreen(const RECT& outer, DWORD style, DWORD exStyle) const;

  Application& app_;
  HWND hwnd_ = nullptr;
  WhenNeeded whenNeeded_;
  int dpi_ = 96;
  std::wstring fontFace_ = L"Tahoma";
  FontSpec fontSpec_{.face = L"Tahoma", .heightPx = 11};  // face points into fontFace_
  mutable UniqueHfont font_;  // made on first use: most message-only windows never need one
  Bounds design_{};           // a child's bounds at 96 dpi
  std::optional<SIZE> smallestClient_;
  UniqueHbrush background_;
  int modalResult_ = 0;
  bool modal_ = false;

  friend class Application;
};

}  // namespace orvanta
