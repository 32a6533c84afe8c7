#include "ui/window_win.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_message_boxes_win.h"
#include "ui/application_win.h"

namespace orvanta {
namespace {

class Probe : public Window {
 public:
  Probe(Application& app, TopLevelOptions options) : Window(app) { createTopLevel(options); }
  int shows = 0;
  int resizes = 0;
  bool throwOnShow = false;

 protected:
  void onShow() override {
    ++shows;
    if (throwOnShow) throw std::runtime_error("falhou ao mostrar");
  }
  void onResize(int, int) override { ++resizes; }
};

struct WindowTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
};

TEST_F(WindowTest, IsCreatedHiddenWithTheClientSizeAndCaption) {
  Probe w(app, {.caption = "Ajuda para impressão", .clientWidth = 912, .clientHeight = 397});
  EXPECT_FALSE(IsWindowVisible(w.hwnd()));
  EXPECT_EQ(w.clientSize().cx, 912);
  EXPECT_EQ(w.clientSize().cy, 397);
  EXPECT_EQ(w.caption(), "Ajuda para impressão");
  EXPECT_EQ(Window::fromHandle(w.hwnd()), &w);
}

TEST_F(WindowTest, IsPlacedAtItsPositionOrCentredOnTheScreen) {
  Probe placed(app, {.clientWidth = 784, .clientHeight = 562, .position = POINT{248, 121}});
  RECT r;
  GetWindowRect(placed.hwnd(), &r);
  EXPECT_EQ(r.left, 248);
  EXPECT_EQ(r.top, 121);

  Probe centred(app, {.clientWidth = 566, .clientHeight = 401});
  GetWindowRect(centred.hwnd(), &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
}

TEST_F(WindowTest, ShowingRunsOnShowOnceAndAnExceptionGoesToTheDefaultHandler) {
  Probe w(app, {.clientWidth = 100, .clientHeight = 100});
  w.throwOnShow = true;
  w.show();
  w.show();  // already visible: no second on-show
  EXPECT_EQ(w.shows, 1);
  EXPECT_TRUE(w.visible());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"falhou ao mostrar.");
  EXPECT_EQ(boxes.boxes[0].caption, app.title());
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(WindowTest, MessagesAfterDestructionNeverReachTheObject) {
  HWND hwnd;
  {
    Probe w(app, {.clientWidth = 100, .clientHeight = 100});
    hwnd = w.hwnd();
  }
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(Window::fromHandle(hwnd), nullptr);
}

}  // namespace
}  // namespace orvanta
