// The whole window set at the dpi of the prefix the test runs in (ORVANTA_TEST_DPI says which):
// every window is its 96-dpi design scaled, nothing is cut, the keys move as at 96 dpi.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "alert/status_alert_win.h"
#include "app/window_set_win.h"
#include "fakes/fake_message_boxes_win.h"
#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "keyboard/key_drawing.h"
#include "keyboard/painted_keyboard_win.h"
#include "layouts/keyboard_layouts_win.h"
#include "login/login_win.h"
#include "session/principal_win.h"
#include "session/stub_win.h"
#include "ui/dpi_win.h"
#include "ui/ole_win.h"
#include "ui/speed_button_win.h"
#include "ui/text_win.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta {
namespace {

// What the program's manifest declares, for this test program that has none.
void becomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  if (!set || !set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) SetProcessDPIAware();
}

int expectedDpi() {
  const char* value = std::getenv("ORVANTA_TEST_DPI");
  return value ? std::atoi(value) : kDesignDpi;
}

std::wstring className(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::vector<HWND> children(HWND parent) {
  std::vector<HWND> result;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) result.push_back(c);
  return result;
}

// The room a caption has in its control, and the font it is drawn in.
struct CaptionBox {
  HFONT font;
  SIZE room;
};

// A check box's caption may run under the control's edge by design (it does at 96 dpi), so
// captions are measured against the control's whole width: what scaling must keep is the
// font growing no faster than the control.
CaptionBox captionBox(HWND control, int dpi) {
  RECT r;
  GetClientRect(control, &r);
  SIZE room{r.right, r.bottom + 1};  // a bitmap font's cell may round one pixel up
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (className(control) == L"OrvantaSpeedButton") {
    font = Window::fromHandle(GetParent(control))->font();
  } else if (className(control) == L"Button" &&
             (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON) {
    room.cx -= scaleToDpi(4, dpi);  // the edges
  }
  return {font, room};
}

// Every caption in `window` and in its panels measured against the room its control gives it.
void expectNoCaptionCut(HWND window, int dpi, const std::string& title) {
  WindowDc screen(nullptr);
  for (HWND c : children(window)) {
    const std::wstring kind = className(c);
    if (kind == L"OrvantaPanel") expectNoCaptionCut(c, dpi, title);
    if (kind != L"Static" && kind != L"Button" && kind != L"OrvantaSpeedButton") continue;
    const std::wstring text = widen(windowText(c));
    if (text.empty()) continue;
    const CaptionBox box = captionBox(c, dpi);
    SelectGuard font(screen.get(), box.font);
    SIZE extent{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    EXPECT_LE(extent.cx, box.room.cx) << title << ": \"" << narrow(text) << "\"";
    EXPECT_LE(extent.cy, box.room.cy) << title << ": \"" << narrow(text) << "\"";
  }
}

// A picture is drawn on its window's first paint.
SIZE paintedPictureSize(HWND window, const Picture& image) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  BITMAP picture{};
  GetObjectW(image.bitmap(), sizeof picture, &picture);
  ShowWindow(window, SW_HIDE);
  return {picture.bmWidth, picture.bmHeight};
}

RECT workAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

void expectOnWorkArea(HWND window, const std::string& title) {
  RECT outer;
  GetWindowRect(window, &outer);
  const RECT work = workAreaOf(window);
  EXPECT_GE(outer.left, work.left) << title;
  EXPECT_GE(outer.top, work.top) << title;
  EXPECT_LE(outer.right, work.right) << title;
  EXPECT_LE(outer.bottom, work.bottom) << title;
}

// The picture whole at the window's scale, the text beside it up to the window's right edge
// and the printing help's button along the whole width: narrowed to fit on the screen, only
// the text gives up width.
void expectHelpLaidOut(HelpWindow& help, SIZE picture, const std::string& title) {
  const SIZE client = help.clientSize();
  EXPECT_EQ(help.Image1.clientSize().cx, help.scale(picture.cx)) << title;
  EXPECT_EQ(help.Image1.clientSize().cy, help.scale(picture.cy)) << title;
  const Bounds text = help.Memo1.bounds();
  EXPECT_EQ(text.left, help.scale(picture.cx)) << title;
  EXPECT_EQ(text.left + text.width, client.cx) << title;
  EXPECT_EQ(text.height, help.scale(picture.cy)) << title;
  if (&help == FrmAjudaImpressao) {
    const Bounds button = FrmAjudaImpressao->Button1.bounds();
    EXPECT_EQ(button.width, client.cx) << title;
    EXPECT_EQ(button.top + button.height, client.cy) << title;
  }
}

// The keys' outlines and pictures drawn with lines as wide as a 96-dpi pixel enlarged: on a
// key's left edge the outline, then the line inside it, each that wide; the Backspace's shaft
// filled in the caption's colour.
void expectKeysOutlinedAtTheScale(TTouchKeyboard& keyboard) {
  const SIZE size = keyboard.clientSize();
  test::PaintedBitmap painted(size.cx, size.cy);
  keyboard.paintTo(painted.dc());
  const KeyColors& colors = keyColors(KeyLook::dsNormal);
  const int width = keyLineWidth(keyboard.dpi());
  int checked = 0;
  for (const TCustomKeyboardButton& key : keyboard.model().Buttons()) {
    const Rect r = key.ClientRect();
    if (key.Key.ScanCode == 0x10) {  // Q
      const int y = (r.top + r.bottom) / 2;
      for (int i = 0; i < width; ++i) {
        EXPECT_EQ(painted.at(r.left + i, y), colors.outer) << i;
        EXPECT_EQ(painted.at(r.left + width + i, y), colors.inner) << i;
        EXPECT_EQ(painted.at(r.right - 1 - i, y), colors.outer) << i;
      }
      EXPECT_NE(painted.at(r.left + 2 * width, y), colors.inner);
      ++checked;
    } else if (key.KeyImage == KeyImage::kBackspace) {
      const Rect shaft = pictureBlocks(key.KeyImage, r.inset(width), keyboard.dpi()).front();
      EXPECT_GE(shaft.bottom - shaft.top, width);
      for (int y = shaft.top; y < shaft.bottom; ++y) {
        for (int x = shaft.left; x < shaft.right; ++x)
          ASSERT_EQ(painted.at(x, y), colors.text) << x << "," << y;
      }
      EXPECT_NE(painted.at((shaft.left + shaft.right) / 2, shaft.bottom), colors.text);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 2);
}

struct DpiTest : ::testing::Test {
  static void SetUpTestSuite() { becomeDpiAware(); }
  OleSession ole;
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  const int dpi = expectedDpi();
};

TEST_F(DpiTest, ThePrefixRunsAtTheExpectedDpi) {
  EXPECT_EQ(systemDpi(), dpi);
}

TEST_F(DpiTest, EveryWindowIsItsDesignScaledWithNoCaptionCut) {
  WindowSet windowSet(app);
  struct Case {
    Window* window;
    const char* title;
    SIZE design;
  };
  const Case cases[] = {
      {FrmLogin, "login", {566, 401}},
      {FrmPrincipal, "session", {784, 562}},
      {FrmDownload, "installer download", {912, 25}},
      {FrmAjudaImpressao, "printing help", {912, 397}},
      {FrmAjudaTransferencia, "transfer help", {912, 261}},
      {FrmAtualiza, "update download", {912, 25}},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.window, nullptr) << c.title;
    EXPECT_EQ(c.window->dpi(), dpi) << c.title;
    // Every window lies on its screen; one larger than it is as wide or as high as it.
    const SIZE client = c.window->clientSize();
    RECT outer;
    GetWindowRect(c.window->hwnd(), &outer);
    expectOnWorkArea(c.window->hwnd(), c.title);
    const RECT work = workAreaOf(c.window->hwnd());
    const SIZE frame{outer.right - outer.left - client.cx, outer.bottom - outer.top - client.cy};
    const SIZE scaled{scaleToDpi(c.design.cx, dpi), scaleToDpi(c.design.cy, dpi)};
    if (scaled.cx + frame.cx <= work.right - work.left) {
      EXPECT_NEAR(client.cx, scaled.cx, 1) << c.title;
    } else {
      EXPECT_EQ(outer.right - outer.left, work.right - work.left) << c.title;
    }
    if (scaled.cy + frame.cy <= work.bottom - work.top) {
      EXPECT_NEAR(client.cy, scaled.cy, 1) << c.title;
    } else {
      EXPECT_EQ(outer.bottom - outer.top, work.bottom - work.top) << c.title;
    }
    expectNoCaptionCut(c.window->hwnd(), dpi, c.title);
  }
  expectHelpLaidOut(*FrmAjudaImpressao, {326, 372}, "printing help");
  expectHelpLaidOut(*FrmAjudaTransferencia, {400, 261}, "transfer help");
  // The pictures are drawn at the window's scale, never stretched.
  const SIZE login = paintedPictureSize(FrmLogin->hwnd(), FrmLogin->Image1);
  EXPECT_EQ(login.cx, FrmLogin->Image1.clientSize().cx);
  EXPECT_EQ(login.cy, FrmLogin->Image1.clientSize().cy);
  const SIZE help = paintedPictureSize(FrmAjudaImpressao->hwnd(), FrmAjudaImpressao->Image1);
  EXPECT_EQ(help.cx, FrmAjudaImpressao->Image1.clientSize().cx);
}

TEST_F(DpiTest, TheSessionsChromeScalesAndTheRemoteDesktopTakesTheRestPixelForPixel) {
  if (keyboardLayouts().layouts().empty()) {
    loadLayoutsFromModule(keyboardLayouts(), GetModuleHandleW(nullptr));
  }
  test::Listener server;
  const auto session = app.createForm<TFrmPrincipal>("2.0");
  FrmPrincipal = session.get();
  session->control().setServer("127.0.0.1");
  session->control().setRdpPort(server.port());
  session->show();
  session->SpeedButton4.click();  // the keyboard shown
  HWND control = session->MsRdpClient71->controlWindow();
  ASSERT_NE(control, nullptr);
  RECT area;
  GetWindowRect(control, &area);
  MapWindowPoints(nullptr, session->hwnd(), reinterpret_cast<POINT*>(&area), 2);
  const SIZE client = session->clientSize();
  EXPECT_EQ(area.top, scaleToDpi(25, dpi));
  EXPECT_EQ(area.bottom, client.cy - scaleToDpi(13, dpi) - scaleToDpi(180, dpi));
  EXPECT_EQ(area.right - area.left, client.cx);
  EXPECT_EQ(session->TouchKeyboard1.clientSize().cy, scaleToDpi(180, dpi));
  const Bounds button = session->SpeedButton5.bounds();
  EXPECT_EQ(button.width, scaleToDpi(303 + 154, dpi) - scaleToDpi(303, dpi));
  expectKeysOutlinedAtTheScale(session->TouchKeyboard1);
  expectNoCaptionCut(session->hwnd(), dpi, "session with keyboard");
  session->hide();
  FrmPrincipal = nullptr;
}

TEST_F(DpiTest, LoginTabOrderAndFirstFocusAreAsAt96Dpi) {
  WindowSet windowSet(app);
  TFrmLogin& login = *FrmLogin;
  login.show();
  SetForegroundWindow(login.hwnd());
  ASSERT_TRUE(test::pumpUntil([&] { return login.Edit1.focused(); }));
  std::vector<HWND> order{GetFocus()};
  for (int i = 0; i < 5; ++i) order.push_back(GetNextDlgTabItem(login.hwnd(), order.back(), FALSE));
  EXPECT_EQ(order, (std::vector<HWND>{login.Edit1.hwnd(), login.Edit2.hwnd(), login.Button1.hwnd(),
                                      login.CheckBox1.hwnd(), login.CheckBox2.hwnd(),
                                      login.Edit1.hwnd()}));
  login.hide();
}

// Dragged to a monitor of another scale: the window takes the suggested rectangle and lays out
// as if it had been made there.
TEST_F(DpiTest, ADpiChangeLaysTheWindowOutAgainAtTheNewScale) {
  WindowSet windowSet(app);
  TFrmLogin& login = *FrmLogin;
  const int newDpi = dpi == 192 ? 96 : 192;
  RECT suggested{100, 80, 100 + scaleToDpi(566, newDpi), 80 + scaleToDpi(401, newDpi)};
  AdjustWindowRectEx(&suggested, GetWindowLongW(login.hwnd(), GWL_STYLE), FALSE,
                     GetWindowLongW(login.hwnd(), GWL_EXSTYLE));
  SendMessageW(login.hwnd(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(login.dpi(), newDpi);
  EXPECT_NEAR(login.clientSize().cx, scaleToDpi(566, newDpi), 1);
  EXPECT_NEAR(login.clientSize().cy, scaleToDpi(401, newDpi), 1);
  const Bounds field = login.Edit1.bounds();
  const Bounds expected = scaleToDpi(Bounds{304, 87, 241, 27}, newDpi);
  EXPECT_EQ(field.left, expected.left);
  EXPECT_EQ(field.top, expected.top);
  EXPECT_EQ(field.width, expected.width);
  EXPECT_EQ(paintedPictureSize(login.hwnd(), login.Image1).cx, scaleToDpi(282, newDpi));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(login.CheckBox1.hwnd(), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -scaleToDpi(13, newDpi));
  expectNoCaptionCut(login.hwnd(), newDpi, "login after the change");
}

// Dragged to a monitor of a larger scale on which it is too wide, a help window fits on it,
// its picture whole.
TEST_F(DpiTest, ADpiChangeFitsAHelpWindowOnItsNewScreen) {
  WindowSet windowSet(app);
  TFrmAjudaImpressao& help = *FrmAjudaImpressao;
  const int newDpi = dpi == 192 ? 144 : 192;
  RECT suggested{100, 80, 100 + scaleToDpi(912, newDpi), 80 + scaleToDpi(397, newDpi)};
  AdjustWindowRectEx(&suggested, GetWindowLongW(help.hwnd(), GWL_STYLE), FALSE,
                     GetWindowLongW(help.hwnd(), GWL_EXSTYLE));
  SendMessageW(help.hwnd(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(help.dpi(), newDpi);
  expectOnWorkArea(help.hwnd(), "printing help after the change");
  RECT outer;
  GetWindowRect(help.hwnd(), &outer);
  const RECT work = workAreaOf(help.hwnd());
  EXPECT_EQ(outer.right - outer.left, work.right - work.left);
  EXPECT_NEAR(help.clientSize().cy, scaleToDpi(397, newDpi), 1);
  expectHelpLaidOut(help, {326, 372}, "printing help after the change");
}

// The status picture is drawn for the alert's scale and copied pixel for pixel, not enlarged
// from its 96-dpi size.
TEST_F(DpiTest, TheStatusAlertsPictureIsDrawnAtTheWindowsScale) {
  StatusAlertWin status(app);
  status.show("Conectando", kPictureGlobeWithBadge);
  TJvFormDesktopAlert& form = status.JvDesktopAlert1.form();
  ASSERT_TRUE(test::pumpUntil([&] { return IsWindowVisible(form.hwnd()) != FALSE; }));
  EXPECT_EQ(form.layout().imIcon.width, kStatusPictureSize);
  EXPECT_EQ(form.layout().imIcon.height, kStatusPictureSize);
  const int size = scaleToDpi(kStatusPictureSize, dpi);
  const std::vector<Rgba> picture = drawStatusPicture(kPictureGlobeWithBadge, size);
  UpdateWindow(form.hwnd());
  test::PaintedBitmap shot(form.clientSize().cx, form.clientSize().cy);
  {
    WindowDc source(form.hwnd());
    BitBlt(shot.dc(), 0, 0, form.clientSize().cx, form.clientSize().cy, source.get(), 0, 0,
           SRCCOPY);
  }
  const int left = form.scale(form.layout().imIcon.left);
  const int top = form.scale(form.layout().imIcon.top);
  int opaque = 0, different = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Rgba& p = picture[static_cast<size_t>(y * size + x)];
      if (p.a != 255) continue;
      ++opaque;
      different += shot.at(left + x, top + y) != Rgb{p.r, p.g, p.b};
    }
  }
  EXPECT_GT(opaque, size * size / 4);
  EXPECT_EQ(different, 0);
  status.close();
}

}  // namespace
}  // namespace orvanta
