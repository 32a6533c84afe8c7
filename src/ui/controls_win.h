// Thin wrappers of the platform's controls. Each is made empty as a member of its window and
// created with create(parent, bounds, ...); it owns its child HWND. The parent Window reflects
// the control's notifications back to it, and the wrapper turns them into the std::function
// events below. Texts are UTF-8.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/unique_handle_win.h"
#include "ui/when_needed.h"
#include "ui/window_win.h"

namespace orvanta {

class Control {
 public:
  Control() = default;
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Made first when created with createWhenNeeded.
  HWND hwnd() const {
    if (!hwnd_ && whenNeeded_.pending()) whenNeeded_.run();
    return hwnd_.get();
  }
  // The wrapper of a control created here, or null.
  static Control* fromHandle(HWND hwnd);

  std::string text() const;
  void setText(std::string_view utf8);
  // In pixels: for layouts worked out from the parent's size.
  void setBounds(const Bounds& b);
  Bounds bounds() const;  // relative to the parent's client area
  bool visible() const;
  virtual void setVisible(bool visible);
  bool enabled() const;
  virtual void setEnabled(bool enabled);
  void setFont(HFONT font);
  // A font of the control's own, scaled to its parent's dpi.
  void setFont(const FontSpec& font);
  // Back to the design bounds and font at the parent's (new) dpi.
  void applyDpi();
  void setFocus();
  bool focused() const;
  // Text colour; the background is the parent window's colour unless setBackgroundColor.
  void setTextColor(COLORREF color);
  void setBackgroundColor(COLORREF color);

  // Called by the parent window with what the control reported.
  virtual void command(WORD /*code*/) {}
  virtual LRESULT notify(const NMHDR& /*header*/) { return 0; }
  virtual HBRUSH colors(HDC dc);

 protected:
  void create(Window& parent, const wchar_t* className, const Bounds& b, std::string_view text,
              DWORD style, DWORD exStyle = 0, bool visible = true);
  // For a control hidden at start that the user may never see: `create` runs when the handle is
  // first needed, to show the control, say. Until then the control is hidden, and hiding it
  // makes nothing.
  void createWhenNeeded(Window& parent, std::function<void()> create);
  Window& parent() const { return *parent_; }
  // Sees the control's own messages first; true swallows the message.
  virtual bool filterMessage(UINT /*msg*/, WPARAM /*wParam*/) { return false; }

 private:
  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);

  UniqueHwnd hwnd_;
  WhenNeeded whenNeeded_;
  Window* parent_ = nullptr;
  Bounds design_{};
  std::wstring fontFace_;
  std::optional<FontSpec> fontSpec_;  // face points into fontFace_
  UniqueHfont font_;
  std::optional<COLORREF> textColor_;
  UniqueHbrush background_;
};

class Label : public Control {
 public:
  enum class Align { left, center, right };
  void create(Window& parent, const Bounds& b, std::string_view text, Align align = Align::left);
  std::function<void()> onClick;
  void command(WORD code) override;
};

class Edit : public Control {
 public:
  struct Options {
    bool password = false;  // characters shown as passwordChar
    wchar_t passwordChar = L'*';
    bool lowerCase = false;  // typed letters become lower case
    bool multiLine = false;  // wraps long lines, vertical scroll bar
    bool readOnly = false;
    bool border = true;
    bool visible = true;
  };
  void create(Window& parent, const Bounds& b, std::string_view text, const Options& options);
  void create(Window& parent, const Bounds& b, std::string_view text = {}) {
    create(parent, b, text, Options{});
  }

  std::function<void()> onChange;
  std::function<void()> onExit;  // focus left the field
  std::function<void(unsigned virtualKey)> onKeyDown;
  std::function<void(unsigned virtualKey)> onKeyUp;

  void command(WORD code) override;

 protected:
  bool filterMessage(UINT msg, WPARAM wParam) override;
};

class Button : public Control {
 public:
  // flat: no 3-D border, like a toolbar button.
  void create(Window& parent, const Bounds& b, std::string_view text, bool flat = false);
  std::function<void()> onClick;
  // Same as a click by the user.
  void click();
  void command(WORD code) override;
};

class CheckBox : public Control {
 public:
  void create(Window& parent, const Bounds& b, std::string_view text);
  bool checked() const;
  void setChecked(bool checked);
  std::function<void()> onClick;  // after the state changed
  void command(WORD code) override;
};

// A framed group of option buttons laid out in columns (filled column by column).
class RadioGroup : public Control {
 public:
  // Created hidden, its windows are made when first needed (shown, say), in the tab order where
  // it was created.
  void create(Window& parent, const Bounds& b, std::string_view caption,
              const std::vector<std::string>& items, int columns = 1, bool visible = true);
  int itemIndex() const;  // -1 when none is selected
  void setItemIndex(int index);
  size_t count() const { return texts_.size(); }
  HWND item(size_t index) const {
    hwnd();
    return items_[index]->hwnd();
  }
  // The frame together with its items.
  void setVisible(bool visible) override;
  void setEnabled(bool enabled) override;
  std::function<void()> onClick;

 private:
  class Item : public Control {
   public:
    void create(RadioGroup& group, Window& parent, const Bounds& b, std::string_view text,
                bool first, bool visible);
    void command(WORD code) override;

   private:
    RadioGroup* group_ = nullptr;
  };
  // The frame and its items, last in the tab order, or else after the sibling `after` (HWND_TOP:
  // first).
  void make(Window& parent, const Bounds& b, std::string_view caption, int columns, bool visible,
            std::optional<HWND> after);

  std::vector<std::string> texts_;
  std::vector<std::unique_ptr<Item>> items_;
  int index_ = -1;  // the selection while the items are not made
};

class ProgressBar : public Control {
 public:
  // Range 0..100, position 0, as the platform control starts.
  void create(Window& parent, const Bounds& b);
  void setRange(int minimum, int maximum);
  int minimum() const;
  int maximum() const;
  // The control keeps the position inside its range; position() reads what it kept.
  void setPosition(int position);
  int position() const;
};

// A child window with a background colour that groups controls (toolbars, docked areas).
class Panel : public Window {
 public:
  explicit Panel(Application& app) : Window(app) {}
  void create(Window& parent, const Bounds& b, COLORREF color = GetSysColor(COLOR_BTNFACE));
  void setBounds(const Bounds& b) { Window::setBounds(b); }
  void setVisible(bool visible) { visible ? show() : hide(); }
};

// Shows a bitmap stretched to its bounds (drawn for the window's dpi, it is shown pixel for
// pixel); clicking it fires onClick.
class Picture : public Window {
 public:
  explicit Picture(Application& app) : Window(app) {}
  void create(Window& parent, const Bounds& b);
  void setBitmap(UniqueHbitmap bitmap);
  // The bitmap is drawn by `draw` on the first paint, so a picture never shown costs nothing.
  void setBitmap(std::function<UniqueHbitmap()> draw);
  // Null until there is a bitmap: one drawn lazily exists once painted.
  HBITMAP bitmap() const { return bitmap_.get(); }
  std::function<void()> onClick;

 protected:
  void onPaint(HDC dc, const RECT& dirty) override;
  void onMouseUp(int x, int y) override;

 private:
  UniqueHbitmap bitmap_;
  std::function<UniqueHbitmap()> draw_;
};

}  // namespace orvanta
