// The toolbar button: a click runs the action without taking the focus, and the look is flat
// until the mouse is over it, checked on the painted pixels.
#include "ui/speed_button_win.h"

#include <gtest/gtest.h>

#include "fakes/fake_message_boxes_win.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"

namespace orvanta {
namespace {

class Toolbar : public Window {
 public:
  explicit Toolbar(Application& app) : Window(app) {
    createTopLevel({.caption = "Barra", .clientWidth = 300, .clientHeight = 100});
    panel.create(*this, {0, 0, 300, 25});
    button.create(panel, {3, 0, 86, 22}, "Tela Cheia");
    field.create(*this, {10, 50, 200, 24});
  }
  Panel panel{app()};
  SpeedButton button{app()};
  Edit field;
};

struct SpeedButtonTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  Toolbar bar{app};
  int clicks = 0;

  void SetUp() override {
    bar.button.onClick = [this] { ++clicks; };
    bar.show();
    bar.field.setFocus();
  }
  void send(UINT msg, int x, int y) {
    SendMessageW(bar.button.hwnd(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  }
  // Whether the button's outline differs from the toolbar's face colour.
  bool outlined() {
    UpdateWindow(bar.button.hwnd());
    WindowDc dc(bar.button.hwnd());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return GetPixel(dc.get(), 0, 10) != face || GetPixel(dc.get(), 85, 10) != face;
  }
};

TEST_F(SpeedButtonTest, AClickRunsTheActionAndLeavesTheFocusWhereItWas) {
  send(WM_LBUTTONDOWN, 40, 10);
  send(WM_LBUTTONUP, 40, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(bar.field.focused());
  EXPECT_FALSE(GetWindowLongPtrW(bar.button.hwnd(), GWL_STYLE) & WS_TABSTOP);

  // Released outside: no click, as with any button.
  send(WM_LBUTTONDOWN, 40, 10);
  send(WM_LBUTTONUP, 200, 10);
  EXPECT_EQ(clicks, 1);
  // The second click of a quick pair counts too.
  send(WM_LBUTTONDOWN, 40, 10);
  send(WM_LBUTTONUP, 40, 10);
  send(WM_LBUTTONDBLCLK, 40, 10);
  send(WM_LBUTTONUP, 40, 10);
  EXPECT_EQ(clicks, 3);
  EXPECT_TRUE(bar.field.focused());
}

TEST_F(SpeedButtonTest, FlatUntilTheMouseIsOverIt) {
  EXPECT_FALSE(outlined());
  send(WM_MOUSEMOVE, 40, 10);
  EXPECT_TRUE(outlined());
  SendMessageW(bar.button.hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(outlined());
}

TEST_F(SpeedButtonTest, ADisabledButtonGreysItsCaption) {
  auto darkestPixel = [this] {
    UpdateWindow(bar.button.hwnd());
    WindowDc dc(bar.button.hwnd());
    int darkest = 255;
    for (int y = 0; y < 22; ++y) {
      for (int x = 0; x < 86; ++x)
        darkest = std::min<int>(darkest, GetGValue(GetPixel(dc.get(), x, y)));
    }
    return darkest;
  };
  EXPECT_LT(darkestPixel(), 0x40);
  bar.button.setEnabled(false);
  EXPECT_FALSE(bar.button.enabled());
  EXPECT_GT(darkestPixel(), 0x60);
}

}  // namespace
}  // namespace orvanta
