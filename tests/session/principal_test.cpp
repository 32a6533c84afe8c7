// The session window itself over the stand-in control.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "fakes/fake_keyboard_translation.h"
#include "fakes/fake_message_boxes_win.h"
#include "layouts/keyboard_layouts_win.h"
#include "login/version.h"
#include "session/principal_win.h"
#include "stub_win.h"
#include "ui/application_win.h"
#include "ui/ole_win.h"
#include "ui/speed_button_win.h"
#include "ui/timer_win.h"

namespace orvanta {
namespace {

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

struct PrincipalTest : ::testing::Test {
  test::StubJournal journal;
  OleSession ole;
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  std::unique_ptr<TFrmPrincipal> window;
  test::FakeInputLanguage* inputLanguage = nullptr;  // the keyboard's, owned by it
  test::Listener server;

  void SetUp() override {
    // As at the program's start; the registry lives as long as the process.
    if (keyboardLayouts().layouts().empty()) {
      loadLayoutsFromModule(keyboardLayouts(), GetModuleHandleW(nullptr));
    }
    TTouchKeyboard::Platform keyboard = TTouchKeyboard::platform();
    auto language = std::make_unique<test::FakeInputLanguage>(LocaleNames{"en", "US"});
    inputLanguage = language.get();
    keyboard.inputLanguage = std::move(language);
    window = app.createForm<TFrmPrincipal>(VersaoCliente, std::move(keyboard));
    FrmPrincipal = window.get();
    window->control().setUserName("alice");
    window->control().setServer("127.0.0.1");
    window->control().setRdpPort(server.port());
  }
  void TearDown() override {
    FrmPrincipal = nullptr;
    window.reset();
  }
};

TEST_F(PrincipalTest, ToolbarLabelAndHiddenPartsAsDesigned) {
  // Made when first needed: asking for the window makes it with all its parts.
  ASSERT_NE(window->hwnd(), nullptr);
  struct ExpectedButton {
    SpeedButton* button;
    const char* text;
    Bounds bounds;
    bool enabled;
  };
  const ExpectedButton buttons[] = {
      {&window->SpeedButton1, "Tela Cheia", {3, 0, 86, 22}, true},
      {&window->SpeedButton3, "Reconectar", {99, 0, 86, 22}, false},
      {&window->SpeedButton4, "Teclado Virtual", {195, 0, 86, 22}, true},
      {&window->SpeedButton5, "Ajuda para transferir arquivos", {303, 0, 154, 22}, true},
      {&window->SpeedButton6, "Ajuda para imprimir", {463, 0, 154, 22}, true},
      {&window->SpeedButton2, "Suporte", {623, 0, 86, 22}, true},
  };
  for (const ExpectedButton& b : buttons) {
    EXPECT_EQ(b.button->text(), b.text);
    const Bounds l = b.button->bounds();
    EXPECT_EQ(std::tie(l.left, l.top, l.width, l.height),
              std::tie(b.bounds.left, b.bounds.top, b.bounds.width, b.bounds.height))
        << b.text;
    EXPECT_EQ(b.button->enabled(), b.enabled) << b.text;
  }
  EXPECT_EQ(window->Label1.text(), "2.0");
  EXPECT_FALSE(window->TouchKeyboard1.visible());
  EXPECT_FALSE(window->Memo1.visible());
  EXPECT_FALSE(window->Edit1.visible());
  EXPECT_FALSE(window->ChecaImpressao.enabled());
  EXPECT_EQ(window->ChecaImpressao.intervalMs(), 5000);
}

TEST_F(PrincipalTest, ShowingStartsTheSessionAndEventsDriveReconnect) {
  window->show();
  EXPECT_TRUE(IsZoomed(window->hwnd()));
  EXPECT_TRUE(window->ChecaImpressao.enabled());
  HWND control = window->MsRdpClient71->controlWindow();
  ASSERT_NE(control, nullptr);
  RECT area;
  GetWindowRect(control, &area);
  MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&area), 2);
  EXPECT_EQ(area.top, 25);
  EXPECT_EQ(area.bottom, window->clientSize().cy - 13);
  EXPECT_EQ(area.right - area.left, window->clientSize().cx);
  ASSERT_TRUE(test::pumpUntil([&] { return window->control().connected() == 1; }));
  EXPECT_TRUE(contains(journal.lines(), "advslot 123 put RedirectPrinters 0"));
  EXPECT_FALSE(window->SpeedButton3.enabled());

  server.acceptPeer();
  server.closePeer();
  ASSERT_TRUE(test::pumpUntil([&] { return window->SpeedButton3.enabled(); }));
  window->SpeedButton3.click();
  EXPECT_FALSE(window->SpeedButton3.enabled());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PrincipalTest, AFailingStartStepShowsTheErrorAndConnectsNothing) {
  journal.refuse(L"RedirectPrinters");
  window->show();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"The stand-in refused RedirectPrinters.");
  EXPECT_FALSE(contains(journal.lines(), "slot 33 Connect"));
  EXPECT_FALSE(window->SpeedButton3.enabled());
  EXPECT_FALSE(window->ChecaImpressao.enabled());
  EXPECT_TRUE(IsWindowVisible(window->hwnd()));
}

class HelpStandIn : public Window {
 public:
  explicit HelpStandIn(Application& app) : Window(app) {
    createTopLevel({.caption = "Ajuda", .clientWidth = 200, .clientHeight = 100});
  }
};

// Posts a key the way the keyboard delivers it, to the window with the focus, and lets the
// application's loop handle it.
void pressKey(Application& app, UINT message, WPARAM key, bool shift) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  PostMessageW(GetFocus(), message, key, 1);
  app.processMessages();
  state[VK_SHIFT] = 0;
  SetKeyboardState(state);
}

TEST_F(PrincipalTest, EveryKeyGoesToTheRemoteDesktopWhileItHasTheFocus) {
  window->show();
  HWND control = window->MsRdpClient71->controlWindow();
  ASSERT_NE(control, nullptr);
  SetFocus(control);
  const struct {
    const char* name;
    UINT message;
    WPARAM key;
    bool shift;
  } keys[] = {
      {"Tab", WM_KEYDOWN, VK_TAB, false},      {"Shift+Tab", WM_KEYDOWN, VK_TAB, true},
      {"Enter", WM_KEYDOWN, VK_RETURN, false}, {"Esc", WM_KEYDOWN, VK_ESCAPE, false},
      {"Left", WM_KEYDOWN, VK_LEFT, false},    {"F5", WM_KEYDOWN, VK_F5, false},
      {"Alt+X", WM_SYSKEYDOWN, 'X', false},    {"a", WM_KEYDOWN, 'A', false},
  };
  for (const auto& k : keys) {
    journal.clear();
    pressKey(app, k.message, k.key, k.shift);
    EXPECT_TRUE(contains(journal.lines(), "key down " + std::to_string(k.key))) << k.name;
    EXPECT_EQ(GetFocus(), control) << k.name;
  }
}

TEST_F(PrincipalTest, ClickingAToolbarButtonLeavesTheFocusInTheRemoteDesktop) {
  // A modal window opens and closes, as the help windows do.
  auto modalRun = [this] {
    HelpStandIn helpWindow(app);
    WinTimer closing(app, 50);
    closing.onTick = [&] { helpWindow.close(); };
    closing.setEnabled(true);
    app.showModal(helpWindow);
  };
  window->openTransferHelp = modalRun;
  window->openPrintingHelp = modalRun;
  window->show();
  HWND control = window->MsRdpClient71->controlWindow();
  ASSERT_NE(control, nullptr);
  window->SpeedButton3.setEnabled(true);
  for (SpeedButton* button : {&window->SpeedButton1, &window->SpeedButton3, &window->SpeedButton4,
                              &window->SpeedButton5, &window->SpeedButton6}) {
    SetFocus(control);
    const Bounds b = button->bounds();
    const LPARAM middle = MAKELPARAM(b.width / 2, b.height / 2);
    PostMessageW(button->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(button->hwnd(), WM_LBUTTONUP, 0, middle);
    for (int i = 0; i < 5; ++i) app.processMessages();
    // After a modal window the activation comes back through the window manager, some ticks
    // later on a loaded machine; the focus then goes back to the remote desktop.
    EXPECT_TRUE(test::pumpUntil(app, [&] { return GetFocus() == control; }))
        << button->text() << ": the focus is on " << GetFocus();
  }
  const auto lines = journal.lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find(" put FullScreen ") != std::string::npos && line.ends_with("-1");
  }));
  EXPECT_TRUE(window->TouchKeyboard1.visible());
}

TEST_F(PrincipalTest, TheKeyboardToggleReLaysOutTheControlAtOnce) {
  window->show();
  HWND control = window->MsRdpClient71->controlWindow();
  ASSERT_NE(control, nullptr);
  auto controlBottom = [&] {
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.top, 25);
    EXPECT_EQ(area.right - area.left, window->clientSize().cx);
    return area.bottom;
  };
  const int labelTop = window->clientSize().cy - 13;
  EXPECT_EQ(controlBottom(), labelTop);
  window->SpeedButton4.click();
  EXPECT_TRUE(window->TouchKeyboard1.visible());
  EXPECT_EQ(controlBottom(), labelTop - 180);
  RECT keyboard;
  GetWindowRect(window->TouchKeyboard1.hwnd(), &keyboard);
  MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&keyboard), 2);
  EXPECT_EQ(keyboard.top, labelTop - 180);
  EXPECT_EQ(keyboard.bottom, labelTop);
  window->SpeedButton4.click();
  EXPECT_FALSE(window->TouchKeyboard1.visible());
  EXPECT_EQ(controlBottom(), labelTop);
}

TEST_F(PrincipalTest, KeysTappedOnTheKeyboardReachTheRemoteDesktopAndLeaveItTheFocus) {
  window->show();
  HWND control = window->MsRdpClient71->controlWindow();
  ASSERT_NE(control, nullptr);
  window->SpeedButton4.click();
  TTouchKeyboard& keyboard = window->TouchKeyboard1;
  SetFocus(control);
  journal.clear();
  for (int scanCode : {42, 30, 48, 2}) {  // Shift, a, b, 1
    for (const TCustomKeyboardButton& key : keyboard.model().Buttons()) {
      if (key.Key.ScanCode != scanCode) continue;
      const LPARAM middle = MAKELPARAM(key.Left + key.Width / 2, key.Top + key.Height / 2);
      PostMessageW(keyboard.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
      PostMessageW(keyboard.hwnd(), WM_LBUTTONUP, 0, middle);
      break;
    }
    for (int i = 0; i < 5; ++i) app.processMessages();
    EXPECT_EQ(GetFocus(), control) << scanCode;
  }
  ASSERT_TRUE(test::pumpUntil([&] { return contains(journal.lines(), "key char 49"); }));
  std::vector<std::string> chars;
  for (const std::string& line : journal.lines()) {
    if (line.starts_with("key char ")) chars.push_back(line);
  }
  EXPECT_EQ(chars, (std::vector<std::string>{"key char 65", "key char 98", "key char 49"}));
}

TEST_F(PrincipalTest, TheKeyboardTakesUpALanguageChangedWhileAnotherWindowWasActive) {
  window->show();
  window->SpeedButton4.click();
  HelpStandIn helpWindow(app);
  helpWindow.show();
  SetActiveWindow(helpWindow.hwnd());
  app.processMessages();
  // The platform tells only the active window of the change.
  inputLanguage->names = LocaleNames{"pt", "BR"};
  SetActiveWindow(window->hwnd());
  app.processMessages();
  EXPECT_EQ(window->TouchKeyboard1.model().currentLayout()->KeyboardName, "Standard102");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PrincipalTest, ClosingDisconnectsAConnectedSessionAndTerminates) {
  window->show();
  ASSERT_TRUE(test::pumpUntil([&] { return window->control().connected() == 1; }));
  journal.clear();
  window->close();
  EXPECT_TRUE(contains(journal.lines(), "slot 34 Disconnect"));
  // The quit comes once the messages queued before it (the control's last event) are handled.
  EXPECT_TRUE(test::pumpUntil(app, [&] { return app.terminated(); }))
      << "the control did after the close: " << testing::PrintToString(journal.lines());
}

RECT boundsIn(HWND child, HWND parent) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(PrincipalTest, TecladoVirtualDocksTheKeyboardBetweenControlAndLabel) {
  window->show();
  HWND control = window->MsRdpClient71->controlWindow();
  ASSERT_NE(control, nullptr);
  const SIZE client = window->clientSize();
  const int labelTop = client.cy - 13;

  window->SpeedButton4.click();
  ASSERT_TRUE(window->TouchKeyboard1.visible());
  const RECT keyboard = boundsIn(window->TouchKeyboard1.hwnd(), window->hwnd());
  EXPECT_EQ(keyboard.left, 0);
  EXPECT_EQ(keyboard.right, client.cx);
  EXPECT_EQ(keyboard.top, labelTop - 180);
  EXPECT_EQ(keyboard.bottom, labelTop);
  EXPECT_EQ(boundsIn(control, window->hwnd()).bottom, labelTop - 180);
  EXPECT_EQ(window->TouchKeyboard1.model().DrawingStyle(), KeyboardDrawingStyle::dsGradient);
  EXPECT_FALSE(window->TouchKeyboard1.model().Buttons().empty());

  window->SpeedButton4.click();
  EXPECT_FALSE(window->TouchKeyboard1.visible());
  EXPECT_EQ(boundsIn(control, window->hwnd()).bottom, labelTop);
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace orvanta
