#include "ui/application_win.h"

#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>

#include "fakes/fake_message_boxes_win.h"
#include "ui/controls_win.h"
#include "ui/timer_win.h"
#include "ui/user_messages_win.h"
#include "ui/window_win.h"

namespace orvanta {
namespace {

class Form : public Window {
 public:
  explicit Form(Application& app) : Window(app) {
    createTopLevel({.caption = "Form", .clientWidth = 200, .clientHeight = 100});
  }
};

struct ApplicationTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  // Fails the test instead of hanging it when the loop does not end.
  WinTimer guard{app, 10000};
  void SetUp() override {
    guard.onTick = [this] {
      ADD_FAILURE() << "message loop did not end";
      app.terminate();
    };
    guard.setEnabled(true);
  }
};

TEST(ApplicationTitleTest, IsTheFileNameUpToTheFirstDotWithLaterLettersInLowerCase) {
  const struct {
    const wchar_t* path;
    const wchar_t* title;
  } cases[] = {
      {L"C:\\Programas\\Orvanta.exe", L"Orvanta"},
      {L"C:\\x.y\\ORVANTA.EXE", L"Orvanta"},
      {L"orvanta.v2.exe", L"orvanta"},
      {L"Z:/build/CLIENTE ÁGIL.exe", L"Cliente ágil"},
      {L"semponto", L"semponto"},
  };
  for (const auto& c : cases) EXPECT_EQ(applicationTitle(c.path), c.title) << c.path;
}

TEST_F(ApplicationTest, TitleComesFromTheProgramFile) {
  EXPECT_EQ(app.title(), L"ui_tests");
}

TEST_F(ApplicationTest, DefaultHandlerShowsTheMessageInAnErrorBoxEndedByADot) {
  const struct {
    const char* message;
    const wchar_t* shown;
  } cases[] = {
      {"Falha na conexão", L"Falha na conexão."},
      {"Falha na conexão.", L"Falha na conexão."},
      {"Porta inválida: abc", L"Porta inválida: abc."},
      {"Sem resposta!", L"Sem resposta!"},
  };
  for (const auto& c : cases) app.handleException(std::runtime_error(c.message));
  ASSERT_EQ(boxes.boxes.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(boxes.boxes[i].text, cases[i].shown);
    EXPECT_EQ(boxes.boxes[i].caption, L"ui_tests");
    EXPECT_EQ(boxes.boxes[i].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
}

TEST_F(ApplicationTest, TheFirstFormCreatedIsTheMainWindow) {
  auto first = app.createForm<Form>();
  auto second = app.createForm<Form>();
  EXPECT_EQ(app.mainWindow(), first.get());
  first.reset();
  EXPECT_EQ(app.mainWindow(), nullptr);
}

TEST_F(ApplicationTest, ClosingTheMainWindowEndsTheLoopWithExitCodeZero) {
  auto login = app.createForm<Form>();
  PostMessageW(login->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.run(), 0);
  EXPECT_TRUE(app.terminated());
}

TEST_F(ApplicationTest, AfterMakeMainWindowClosingTheOldMainWindowOnlyHidesIt) {
  auto login = app.createForm<Form>();
  auto session = app.createForm<Form>();
  WinTimer step(app, 10);
  int ticks = 0;
  step.onTick = [&] {
    switch (++ticks) {
      case 1:
        app.MakeMainWindow(*session);
        session->show();
        login->close();
        break;
      case 2:
        EXPECT_FALSE(app.terminated());
        EXPECT_FALSE(login->visible());
        EXPECT_TRUE(session->visible());
        session->close();
        break;
      default:
        break;
    }
  };
  step.setEnabled(true);
  app.run();
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(app.mainWindow(), session.get());
}

TEST_F(ApplicationTest, ModalRunDisablesOtherWindowsAndEndsWithCancelWhenClosed) {
  auto main = app.createForm<Form>();
  main->show();
  Form dialog(app);
  WinTimer step(app, 10);
  bool mainWasDisabled = false;
  step.onTick = [&] {
    mainWasDisabled = !IsWindowEnabled(main->hwnd());
    dialog.close();
  };
  step.setEnabled(true);
  EXPECT_EQ(dialog.showModal(), IDCANCEL);
  EXPECT_TRUE(mainWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(main->hwnd()));
  EXPECT_FALSE(dialog.visible());
  EXPECT_FALSE(app.terminated());
}

// Whether `upper` comes before `lower` in the z-order of the top-level windows.
bool above(HWND upper, HWND lower) {
  for (HWND h = GetWindow(upper, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h == lower) return true;
  }
  return false;
}

TEST_F(ApplicationTest, AModalWindowStaysAboveTheWindowItWasOpenedFrom) {
  // Wine raises a window the pointer enters to where the X server stacks it; before the window
  // manager has stacked the dialog, that puts the owner back on top. The pointer rests where
  // neither window opens.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  auto main = app.createForm<Form>();
  main->show();
  Form dialog(app);
  WinTimer step(app, 10);
  // Wine keeps the stacking of its windows in step with the window manager's, which may still be
  // stacking the dialog, or the raise below, some ticks later on a loaded machine: each check
  // waits for the order to come out right (5 s at most). An unowned dialog stays below for good.
  bool raised = false;
  int ticks = 0;
  step.onTick = [&] {
    const bool dialogOnTop = above(dialog.hwnd(), main->hwnd());
    if (!dialogOnTop && ++ticks < 500) return;
    ticks = 0;
    if (raised) {
      step.setEnabled(false);
      EXPECT_TRUE(dialogOnTop);
      dialog.close();
      return;
    }
    EXPECT_EQ(GetWindow(dialog.hwnd(), GW_OWNER), main->hwnd());
    // What a click on the owner's title bar does.
    SetWindowPos(main->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    raised = true;
  };
  step.setEnabled(true);
  dialog.showModal(main.get());
  EXPECT_EQ(GetWindow(dialog.hwnd(), GW_OWNER), nullptr);
}

// Tab and Shift+Tab move between our own controls as in a dialog; a window of another kind
// hosted in ours (the remote desktop) receives them itself.
TEST_F(ApplicationTest, TabNavigatesOnlyFromOurOwnControls) {
  class Fields : public Window {
   public:
    explicit Fields(Application& app) : Window(app) {
      createTopLevel({.caption = "Fields", .clientWidth = 300, .clientHeight = 100});
      first.create(*this, {10, 10, 100, 24});
      second.create(*this, {10, 40, 100, 24});
      WNDCLASSW hosted{};
      hosted.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_KEYDOWN) SetPropW(h, L"lastKey", reinterpret_cast<HANDLE>(w));
        return DefWindowProcW(h, m, w, l);
      };
      hosted.hInstance = GetModuleHandleW(nullptr);
      hosted.lpszClassName = L"HostedControl";
      RegisterClassW(&hosted);
      foreign = CreateWindowExW(0, L"HostedControl", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 150,
                                10, 100, 60, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    Edit first;
    Edit second;
    HWND foreign = nullptr;
  } form(app);
  form.show();
  auto press = [&](HWND focus, bool shift) {
    SetFocus(focus);
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    RemovePropW(form.foreign, L"lastKey");
    PostMessageW(focus, WM_KEYDOWN, VK_TAB, 1);
    app.processMessages();
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
    return GetFocus();
  };
  EXPECT_EQ(press(form.first.hwnd(), false), form.second.hwnd());
  EXPECT_EQ(press(form.second.hwnd(), true), form.first.hwnd());
  for (const bool shift : {false, true}) {
    EXPECT_EQ(press(form.foreign, shift), form.foreign);
    EXPECT_EQ(GetPropW(form.foreign, L"lastKey"), reinterpret_cast<HANDLE>(VK_TAB));
  }
}

TEST_F(ApplicationTest, ShowMessageAndConfirmBoxes) {
  WinUserMessages messages(app);
  messages.showMessage("Olá");
  boxes.answer = IDNO;
  EXPECT_FALSE(messages.confirm("Instalar?"));
  boxes.answer = IDYES;
  EXPECT_TRUE(messages.confirm("Instalar?"));
  ASSERT_EQ(boxes.boxes.size(), 3u);
  EXPECT_EQ(boxes.boxes[0].text, L"Olá");
  EXPECT_EQ(boxes.boxes[0].caption, app.title());
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(boxes.boxes[1].caption, L"Confirm");
  EXPECT_EQ(boxes.boxes[1].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
}

}  // namespace
}  // namespace orvanta
