// What the two help windows share: a picture docked left and a read-only text beside it on a
// white window, Tahoma 11 px, centred on the screen; on a screen too narrow for it the text
// gives up width. Made once at start and shown modally; closing only hides it, so the next
// showing finds it as the user left it.
#pragma once

#include <string>
#include <string_view>

#include "ui/controls_win.h"
#include "ui/window_win.h"

namespace orvanta {

class HelpWindow : public Window {
 public:
  ~HelpWindow() override;

  Picture Image1{app()};
  Edit Memo1;

 protected:
  // Draws the picture into `area`, in the picture's own coordinates.
  using Painter = void (*)(HDC dc, const RECT& area);

  struct Layout {
    const wchar_t* className = nullptr;
    std::string caption;
    SIZE client{};
    // Docked left from the top; the text takes the rest of this height beside it.
    SIZE picture{};
  };

  // The window and its controls are made when first shown.
  HelpWindow(Application& app, const Layout& layout, Painter paint, std::string_view text);

  // A window's own controls, made after the picture and the text.
  virtual void createControls() {}

  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onDpiChanged() override;
  // The picture keeps its size; the text takes the width that is left.
  void onResize(int clientWidth, int clientHeight) override;

 private:
  void create(const Layout& layout, std::string_view text);

  SIZE picture_;
  Painter paint_;
  // The control that had the focus when the window was last deactivated.
  HWND focus_ = nullptr;
};

}  // namespace orvanta
