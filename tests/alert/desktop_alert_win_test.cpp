// The desktop alert's window under the real window system: styles, placement, painted pixels,
// opacity, the close button, the pointer and the keyboard focus.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "alert/alert_stack.h"
#include "alert/status_alert_win.h"
#include "fakes/fake_message_boxes_win.h"
#include "fakes/fake_timer.h"
#include "support/pump_win.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"

namespace orvanta {
namespace {

constexpr FadeStyleOptions kStatusAlert{.DisplayDuration = 0, .MaxAlphaBlendValue = 200};

int alphaOf(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
    return -1;
  return alpha;
}

Rect workArea() {
  RECT r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right, r.bottom};
}

// What the window shows, read back from its own device context.
struct Pixels {
  explicit Pixels(HWND window) {
    UpdateWindow(window);
    RECT r;
    GetClientRect(window, &r);
    width = r.right;
    height = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const WindowDc source(window);
    const UniqueMemoryDc memory(CreateCompatibleDC(source.get()));
    const UniqueHbitmap bitmap(
        CreateDIBSection(source.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const SelectGuard select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    pixels.assign(p, p + width * height);
  }
  Rgb at(int x, int y) const {
    const uint32_t v = pixels[y * width + x];
    return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
  }
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

Rgb rgbOf(COLORREF c) {
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

std::string text(Rgb c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

// The alert's own window and behaviour on a virtual clock.
struct AlertWindowTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  test::FakeTimerService clock;
  test::FakeTimer animation{clock};
  test::FakeTimer mouse{clock};
  AlertScreenWin screen;
  AlertStack stack;
  TJvFormDesktopAlert form{app};
  DesktopAlert alert{form, screen, stack, animation, mouse, kStatusAlert};

  void SetUp() override {
    form.onPointerEnter = [this] { alert.pointerEntered(); };
    form.onPointerLeave = [this] { alert.pointerLeft(); };
    form.onCloseButtonClick = [this] { alert.closeButtonClicked(); };
  }
  // Shown and fully faded in.
  void shown(const char* message = "Conectando") {
    alert.setMessageText(message);
    alert.Execute();
    clock.advance(250);
  }
  LRESULT send(UINT msg, int x, int y, WPARAM keys = 0) {
    return SendMessageW(form.hwnd(), msg, keys, MAKELPARAM(x, y));
  }
};

TEST_F(AlertWindowTest, BorderlessTopmostToolWindowWithoutOwnerAtTheWorkAreaCorner) {
  shown();
  HWND w = form.hwnd();
  const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(w, GW_OWNER), nullptr);
  EXPECT_TRUE(IsWindowVisible(w));
  RECT r;
  GetWindowRect(w, &r);
  const Rect area = workArea();
  EXPECT_EQ(r.right, area.right);
  EXPECT_EQ(r.bottom, area.bottom);
  EXPECT_EQ(r.right - r.left, 329);
  EXPECT_EQ(r.bottom - r.top, 76);
  EXPECT_EQ(screen.workArea(), area);
}

TEST_F(AlertWindowTest, OpacityFollowsTheFadeOnTheClock) {
  alert.Execute();
  EXPECT_EQ(alphaOf(form.hwnd()), 0);
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
  struct Point {
    int64_t atMs;
    int alpha;
    bool visible;
  };
  const Point fadeIn[] = {
      {25, 0, true}, {50, 20, true}, {150, 100, true}, {250, 200, true}, {2000, 200, true}};
  for (const Point& p : fadeIn) {
    clock.advance(p.atMs - clock.nowMs());
    EXPECT_EQ(alphaOf(form.hwnd()), p.alpha) << p.atMs;
    EXPECT_EQ(IsWindowVisible(form.hwnd()) != 0, p.visible) << p.atMs;
  }
  alert.Close(false);
  EXPECT_EQ(alphaOf(form.hwnd()), 200);
  const Point fadeOut[] = {{2050, 180, true}, {2450, 20, true}, {2500, 0, false}};
  for (const Point& p : fadeOut) {
    clock.advance(p.atMs - clock.nowMs());
    EXPECT_EQ(alphaOf(form.hwnd()), p.alpha) << p.atMs;
    EXPECT_EQ(IsWindowVisible(form.hwnd()) != 0, p.visible) << p.atMs;
  }
}

TEST_F(AlertWindowTest, PaintsTheStripRowEightTheBodyBandsAndTheFrame) {
  shown("");
  const Pixels shot(form.hwnd());
  ASSERT_EQ(shot.width, 329);
  ASSERT_EQ(shot.height, 76);
  // Column 300 lies between the message box and the close button: background only.
  std::vector<Rgb> expected(76, rgbOf(GetSysColor(COLOR_BTNFACE)));
  for (const SolidFill& f : desktopAlertBackground(329, 76, DesktopAlertColors{})) {
    if (f.box.left > 300 || f.box.left + f.box.width <= 300) continue;
    for (int y = f.box.top; y < f.box.top + f.box.height; ++y) expected[y] = f.color;
  }
  EXPECT_EQ(expected[0], (Rgb{128, 128, 128}));
  EXPECT_EQ(expected[1], (Rgb{73, 124, 205}));  // the strip's second band
  EXPECT_EQ(expected[74], (Rgb{123, 166, 231}));
  for (int y = 0; y < 76; ++y) EXPECT_EQ(text(shot.at(300, y)), text(expected[y])) << "row " << y;
  for (int y = 0; y < 76; ++y) {
    EXPECT_EQ(text(shot.at(0, y)), "128,128,128") << "row " << y;
    EXPECT_EQ(text(shot.at(328, y)), "128,128,128") << "row " << y;
  }
}

TEST_F(AlertWindowTest, MessageIsDrawnInItsBoxAndReplacedAtOnce) {
  shown("Conectando");
  auto darkIn = [this](int left, int top, int right, int bottom) {
    const Pixels shot(form.hwnd());
    int dark = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) dark += shot.at(x, y).r < 60 && shot.at(x, y).b < 100;
    }
    return dark;
  };
  EXPECT_GT(darkIn(71, 29, 296, 42), 20);
  EXPECT_EQ(darkIn(160, 29, 296, 42), 0);  // a short word
  EXPECT_EQ(darkIn(71, 42, 296, 75), 0);   // clipped to the box
  alert.setMessageText("");
  EXPECT_EQ(darkIn(71, 29, 296, 42), 0);
}

TEST_F(AlertWindowTest, PictureIsDrawnWithItsTransparency) {
  StatusPictureList pictures;
  form.setIcon(pictures.GetIcon(kPictureGlobeWithBadge));
  shown();
  const Pixels shot(form.hwnd());
  const auto body = desktopAlertBackground(329, 76, DesktopAlertColors{});
  // The picture's transparent corner shows the body band of its row (13 - 9 = band 4).
  EXPECT_EQ(text(shot.at(8, 13)), text(body[8 + 4].color));
  const Rgb badge = shot.at(8 + 34, 13 + 30);
  EXPECT_GT(badge.r, 150) << text(badge);
  EXPECT_LT(badge.g, 90) << text(badge);
  const Rgb globe = shot.at(8 + 20, 13 + 30);
  EXPECT_GT(std::max(globe.b, globe.g), globe.r + 40) << text(globe);
}

TEST_F(AlertWindowTest, CloseButtonLightsUpIsPressedAndClosesAtOnce) {
  shown();
  auto button = [this] { return Pixels(form.hwnd()); };
  {
    // The cross, in the window-text colour, centred on the button; nothing behind it.
    const Pixels shot = button();
    int glyph = 0, left = 327, right = 312, top = 25, bottom = 10;
    for (int y = 10; y < 25; ++y) {
      for (int x = 312; x < 327; ++x) {
        const Rgb p = shot.at(x, y), behind = shot.at(311, y);
        if (p.r + p.g + p.b + 60 > behind.r + behind.g + behind.b) continue;
        ++glyph;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    EXPECT_GT(glyph, 4);
    EXPECT_NEAR((left + right) / 2.0, 319, 2);
    EXPECT_NEAR((top + bottom) / 2.0, 17, 2);
    EXPECT_EQ(text(shot.at(312, 10)), text(shot.at(311, 10)));
  }
  send(WM_MOUSEMOVE, 319, 17);
  EXPECT_EQ(text(button().at(312, 10)), "0,51,102");
  EXPECT_EQ(text(button().at(313, 11)), "181,190,214");
  send(WM_LBUTTONDOWN, 319, 17, MK_LBUTTON);
  EXPECT_EQ(text(button().at(313, 11)), "153,153,204");
  EXPECT_EQ(text(button().at(326, 24)), "0,51,102");
  send(WM_LBUTTONUP, 319, 17);
  EXPECT_FALSE(alert.Showing());
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_FALSE(stack.contains(alert));
}

TEST_F(AlertWindowTest, AClickOnTheMessageDoesNothing) {
  shown();
  send(WM_LBUTTONDOWN, 100, 35, MK_LBUTTON);
  send(WM_LBUTTONUP, 100, 35);
  EXPECT_TRUE(alert.Showing());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(AlertWindowTest, PointerEnteringDuringTheFadeOutReturnsToFullOpacity) {
  shown();
  alert.Close(false);
  clock.advance(100);
  EXPECT_EQ(alphaOf(form.hwnd()), 160);
  send(WM_MOUSEMOVE, 100, 40);
  EXPECT_EQ(alphaOf(form.hwnd()), 200);
  clock.advance(5000);
  EXPECT_EQ(alphaOf(form.hwnd()), 200);
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
}

// The session's alert as the program builds it: real window timers, the two pictures, and a
// session window with the keyboard focus in a text field standing for the remote desktop.
struct StatusAlertTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  StatusAlertWin statusAlert{app};

  HWND alertWindow() { return statusAlert.JvDesktopAlert1.form().hwnd(); }
};

class SessionStandIn : public Window {
 public:
  explicit SessionStandIn(Application& app) : Window(app) {
    createTopLevel({.className = L"AlertFocusTest",
                    .caption = "session",
                    .clientWidth = 400,
                    .clientHeight = 300,
                    .position = POINT{40, 40}});
    Edit1.create(*this, {10, 10, 200, 24});
  }
  Edit Edit1;
};

std::vector<HWND> alertWindowsOfThisThread() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM p) -> BOOL {
        wchar_t name[64];
        GetClassNameW(h, name, 64);
        if (std::wstring(name) == L"TJvFormDesktopAlert")
          reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(StatusAlertTest, FadesInAndOutOnWindowTimersInOneWindowForTheWholeRun) {
  statusAlert.show("Conectando", 0);
  EXPECT_EQ(alphaOf(alertWindow()), 0);
  ASSERT_TRUE(test::pumpUntil([&] { return alphaOf(alertWindow()) == 200; }));
  statusAlert.close();
  ASSERT_TRUE(test::pumpUntil([&] { return !IsWindowVisible(alertWindow()); }));
  statusAlert.show("Desconectado", 1);
  statusAlert.close();
  statusAlert.show("Desconectado", 1);
  ASSERT_TRUE(test::pumpUntil([&] { return alphaOf(alertWindow()) == 200; }));
  test::pumpFor(std::chrono::milliseconds(600));
  EXPECT_TRUE(IsWindowVisible(alertWindow()));
  EXPECT_EQ(statusAlert.JvDesktopAlert1.alert().messageText(), "Desconectado");
  EXPECT_EQ(alertWindowsOfThisThread(), std::vector<HWND>{alertWindow()});
}

// Input as a person gives it, through the window system's input queue.
void clickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

void typeKey(WORD virtualKey) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = virtualKey;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

TEST_F(StatusAlertTest, NeverTakesTheFocusWhileFadingInOrWhenClicked) {
  // The pointer goes back where it was, so it rests on no later test's windows.
  struct KeepCursor {
    POINT at{};
    KeepCursor() { GetCursorPos(&at); }
    ~KeepCursor() { SetCursorPos(at.x, at.y); }
  } keepCursor;
  SessionStandIn session(app);
  session.show();
  SetForegroundWindow(session.hwnd());
  session.Edit1.setFocus();
  ASSERT_TRUE(test::pumpUntil([&] { return GetFocus() == session.Edit1.hwnd(); }));

  statusAlert.show("Desconectado", 1);
  typeKey('A');  // typed while the alert fades in
  ASSERT_TRUE(test::pumpUntil([&] { return session.Edit1.text() == "a"; }));
  ASSERT_TRUE(test::pumpUntil([&] { return alphaOf(alertWindow()) == 200; }));
  EXPECT_EQ(GetFocus(), session.Edit1.hwnd());

  RECT alert;
  GetWindowRect(alertWindow(), &alert);
  clickAt(alert.left + 120, alert.top + 35);  // on the message
  test::pumpFor(std::chrono::milliseconds(300));
  EXPECT_TRUE(statusAlert.JvDesktopAlert1.Showing());
  EXPECT_EQ(GetActiveWindow(), session.hwnd());
  EXPECT_EQ(GetFocus(), session.Edit1.hwnd());

  clickAt(alert.left + 319, alert.top + 17);  // on the close button
  ASSERT_TRUE(test::pumpUntil([&] { return !IsWindowVisible(alertWindow()); }));
  EXPECT_EQ(GetActiveWindow(), session.hwnd());
  EXPECT_EQ(GetFocus(), session.Edit1.hwnd());
  typeKey('B');
  ASSERT_TRUE(test::pumpUntil([&] { return session.Edit1.text() == "ab"; }));
}

}  // namespace
}  // namespace orvanta
