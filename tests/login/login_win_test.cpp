#include "login/login_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/session_settings.h"
#include "fakes/fake_message_boxes_win.h"
#include "login/login_messages.h"
#include "login_fakes.h"
#include "support/pump_win.h"
#include "ui/application_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

RECT inClientArea(HWND parent, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring text(HWND h) {
  wchar_t buffer[256] = {};
  GetWindowTextW(h, buffer, 256);
  return buffer;
}

struct LoginWindowTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  TFrmLogin form{app};
  test::ScriptedHttp* http = nullptr;
  test::RecordedControl control;
  int handOvers = 0;
  int updateRuns = 0;
  Endpoints endpoints;

  void SetUp() override {
    auto client = std::make_unique<test::ScriptedHttp>();
    http = client.get();
    http->responses[endpoints.version()] = "2.0";
    form.IdHTTP1 = std::move(client);
    form.startSession = [this](const ParametrosSessao& settings, std::string_view portText) {
      applySessionSettings(control, settings, portText);
      ++handOvers;
    };
    form.runUpdate = [this] { ++updateRuns; };
  }

  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& b : boxes.boxes) {
      texts.push_back(narrow(b.text));
    }
    return texts;
  }
  void show() {
    form.show();
    SetForegroundWindow(form.hwnd());
    form.Edit1.setFocus();
  }
  void typeInto(const Control& field, const wchar_t* keys) {
    for (const wchar_t* c = keys; *c; ++c) {
      SendMessageW(field.hwnd(), WM_CHAR, *c, 0);
    }
  }
  void leave(Control& from, Control& to) {
    from.setFocus();
    to.setFocus();
  }
};

TEST_F(LoginWindowTest, ControlsSitWhereTheyBelongWithTheirFonts) {
  EXPECT_EQ(form.clientSize().cx, 566);
  EXPECT_EQ(form.clientSize().cy, 401);
  EXPECT_EQ(form.caption(), "Login Orvanta");
  struct Case {
    HWND control;
    RECT expected;
    int fontPx;
  };
  const Case cases[] = {
      {form.Edit1.hwnd(), {304, 87, 545, 114}, 16},
      {form.Edit2.hwnd(), {304, 151, 545, 178}, 16},
      {form.RadioGroup1.hwnd(), {304, 200, 545, 241}, 16},
      {form.Button1.hwnd(), {344, 280, 497, 321}, 16},
      {form.CheckBox1.hwnd(), {304, 352, 558, 369}, 13},
      {form.CheckBox2.hwnd(), {304, 376, 558, 393}, 13},
  };
  for (const auto& c : cases) {
    const RECT r = inClientArea(form.hwnd(), c.control);
    EXPECT_EQ(r.left, c.expected.left) << narrow(text(c.control));
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c.control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -c.fontPx);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  }
  const RECT picture = inClientArea(form.hwnd(), form.Image1.hwnd());
  EXPECT_EQ(picture.right - picture.left, 282);
  EXPECT_EQ(picture.bottom - picture.top, 401);
  show();
  UpdateWindow(form.Image1.hwnd());
  EXPECT_NE(form.Image1.bitmap(), nullptr);
  EXPECT_EQ(SendMessageW(form.Edit2.hwnd(), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(text(form.RadioGroup1.item(0)), L"Ruruvudud");
  EXPECT_EQ(text(form.RadioGroup1.item(1)), L"Rozevuv");
  EXPECT_FALSE(form.RadioGroup1.visible());
  EXPECT_EQ(form.RadioGroup1.itemIndex(), 0);
}

TEST_F(LoginWindowTest, ShowClearsRelayFlagAndChecksVersion) {
  std::vector<size_t> requestsWhenCleared;
  form.clearPrintInProgress = [&] { requestsWhenCleared.push_back(http->requests.size()); };
  http->responses[endpoints.version()] = "2.1";
  show();
  EXPECT_THAT(requestsWhenCleared, ElementsAre(0u));
  EXPECT_THAT(messages(), ElementsAre(login_messages::kNewVersion));
  EXPECT_EQ(boxes.boxes[0].caption, app.title());
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(updateRuns, 1);
}

TEST_F(LoginWindowTest, TabOrderFollowsTheTabPositions) {
  show();
  auto order = [this](HWND from) {
    std::vector<HWND> seen;
    for (int i = 0; i < 5; ++i) {
      from = GetNextDlgTabItem(form.hwnd(), from, FALSE);
      seen.push_back(from);
    }
    return seen;
  };
  EXPECT_THAT(order(form.Edit1.hwnd()),
              ElementsAre(form.Edit2.hwnd(), form.Button1.hwnd(), form.CheckBox1.hwnd(),
                          form.CheckBox2.hwnd(), form.Edit1.hwnd()));
  form.RadioGroup1.setVisible(true);
  EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), form.Button1.hwnd(), FALSE), form.RadioGroup1.item(0));
}

TEST_F(LoginWindowTest, AccountFieldLowerCasesTypedAndPastedLetters) {
  show();
  typeInto(form.Edit1, L"AbC1");
  EXPECT_EQ(form.Edit1.text(), "abc1");
  SendMessageW(form.Edit1.hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"XY2"));
  EXPECT_EQ(form.choices().typedName, "abc1xy2");
}

TEST_F(LoginWindowTest, LeavingTheAccountFieldTogglesTheSiteSelector) {
  show();
  typeInto(form.Edit1, L"Tamberi2");
  leave(form.Edit1, form.Edit2);
  EXPECT_TRUE(form.RadioGroup1.visible());
  SendMessageW(form.RadioGroup1.item(1), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.Button1.focused());
  EXPECT_EQ(form.RadioGroup1.itemIndex(), 1);
  typeInto(form.Edit1, L"x");
  leave(form.Edit1, form.Edit2);
  EXPECT_FALSE(form.RadioGroup1.visible());
  EXPECT_EQ(form.RadioGroup1.itemIndex(), 1);
}

// Read back as painted: each option shows its round button and its name in dark text.
TEST_F(LoginWindowTest, TheSiteSelectorPaintsBothOptions) {
  show();
  typeInto(form.Edit1, L"tamberi2");
  leave(form.Edit1, form.Edit2);
  ASSERT_TRUE(form.RadioGroup1.visible());
  RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  test::pumpFor(app, std::chrono::milliseconds(400));
  WindowDc dc(form.hwnd());
  for (size_t i = 0; i < form.RadioGroup1.count(); ++i) {
    const RECT item = inClientArea(form.hwnd(), form.RadioGroup1.item(i));
    int dark = 0;
    for (int y = item.top; y < item.bottom; ++y) {
      for (int x = item.left; x < item.right; ++x) {
        const COLORREF c = GetPixel(dc.get(), x, y);
        if (GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60) ++dark;
      }
    }
    // A name of seven or nine letters at 16 px leaves well over a hundred dark pixels.
    EXPECT_GT(dark, 100) << narrow(text(form.RadioGroup1.item(i)));
  }
}

TEST_F(LoginWindowTest, EveryRequestShowsTheWaitCursorWhileItBlocks) {
  std::vector<bool> waitCursorDuringRequest;
  http->onRequest = [&] {
    waitCursorDuringRequest.push_back(GetCursor() == LoadCursorW(nullptr, IDC_WAIT));
  };
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  show();
  http->responses[endpoints.login(false, "ana")] = "srv01;3389";
  typeInto(form.Edit1, L"ana");
  form.Button1Click();
  EXPECT_THAT(waitCursorDuringRequest, ElementsAre(true, true));  // version check, login
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(LoginWindowTest, TheVersionCheckWaitsOnAWindowAlreadyPainted) {
  bool visible = false;
  std::vector<HWND> unpainted;
  http->onRequest = [&] {
    visible = IsWindowVisible(form.hwnd()) != FALSE;
    if (GetUpdateRect(form.hwnd(), nullptr, FALSE)) unpainted.push_back(form.hwnd());
    EnumChildWindows(
        form.hwnd(),
        [](HWND child, LPARAM found) {
          if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&unpainted));
  };
  show();
  EXPECT_THAT(http->requests, ElementsAre(endpoints.version()));
  EXPECT_TRUE(visible);
  EXPECT_THAT(unpainted, IsEmpty());
}

// Real input, queued while the login request blocks the thread, as the user's would be.
void sendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> input;
  for (const auto& [key, up] : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(i);
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void clickAt(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

struct KeepCursor {
  POINT at{};
  KeepCursor() { GetCursorPos(&at); }
  ~KeepCursor() { SetCursorPos(at.x, at.y); }
};

TEST_F(LoginWindowTest, InputQueuedWhileTheLoginWaitsNeverReachesTheSession) {
  KeepCursor keepCursor;
  http->responses[endpoints.login(false, "ana")] = "srv;3389";
  show();
  typeInto(form.Edit1, L"ana");
  http->onRequest = [&] {
    if (http->requests.size() != 2) return;
    sendKeys({{'X', false},
              {'X', true},
              {'Y', false},
              {'Y', true},
              {VK_RETURN, false},
              {VK_RETURN, true},
              {VK_RETURN, false},
              {VK_RETURN, true}});
    clickAt(form.Button1.hwnd());
  };
  // Stands in for the remote desktop control, which takes the focus with the session.
  UniqueHwnd session(CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 80, 20, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr));
  form.startSession = [&](const ParametrosSessao&, std::string_view) {
    ++handOvers;
    SetForegroundWindow(session.get());
    SetFocus(session.get());
  };
  form.Button1Click();
  app.processMessages();
  EXPECT_EQ(handOvers, 1);
  EXPECT_EQ(text(session.get()), L"");
  EXPECT_EQ(form.Edit1.text(), "ana");
  EXPECT_THAT(http->requests, ElementsAre(endpoints.version(), endpoints.login(false, "ana")));
}

TEST_F(LoginWindowTest, ACloseAskedWhileTheLoginWaitsEndsTheProgram) {
  struct Case {
    const char* name;
    const char* answer;  // null: the service is unreachable
    std::function<void()> askToClose;
  };
  const Case cases[] = {
      {"Alt+F4, good answer", "srv;3389",
       [] {
         sendKeys({{VK_MENU, false}, {VK_F4, false}, {VK_F4, true}, {VK_MENU, true}});
       }},
      // The window manager's close box.
      {"close box, failure", nullptr,
       [this] { PostMessageW(form.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  app.MakeMainWindow(form);
  for (const auto& c : cases) {
    http->responses.erase(endpoints.login(false, "ana"));
    if (c.answer) http->responses[endpoints.login(false, "ana")] = c.answer;
    show();
    form.Edit1.setText("ana");
    http->onRequest = c.askToClose;
    form.Button1Click();
    EXPECT_EQ(handOvers, 0) << c.name;
    EXPECT_THAT(messages(), IsEmpty()) << c.name;
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.name;
  }
}

TEST_F(LoginWindowTest, FocusTakenByAnotherWindowIsNotLeavingTheField) {
  show();
  typeInto(form.Edit1, L"tamberi");
  HWND other = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  SetFocus(other);
  EXPECT_FALSE(form.RadioGroup1.visible());
  DestroyWindow(other);
}

TEST_F(LoginWindowTest, EnterReleasedInEitherFieldLogsIn) {
  http->responses[endpoints.login(false, "tamberi_ruruvudud")] = "srv;3389";
  show();
  typeInto(form.Edit1, L"tamberi2");
  leave(form.Edit1, form.Edit2);
  typeInto(form.Edit2, L"Pw9");
  SendMessageW(form.Edit2.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(handOvers, 0);
  SendMessageW(form.Edit2.hwnd(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(handOvers, 1);
  EXPECT_THAT(control.calls,
              ElementsAre("UserName=tamberi2", "ClearTextPassword=Pw9", "DesktopWidth=1024",
                          "DesktopHeight=768", "Server=srv", "RDPPort=3389"));
  SendMessageW(form.Edit1.hwnd(), WM_KEYDOWN, VK_TAB, 0);
  SendMessageW(form.Edit1.hwnd(), WM_KEYUP, VK_TAB, 0);
  EXPECT_EQ(handOvers, 1);
  SendMessageW(form.Edit1.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  SendMessageW(form.Edit1.hwnd(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(handOvers, 2);
  // An Enter pressed elsewhere (on a message box) and released in the field.
  SendMessageW(form.Edit1.hwnd(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(handOvers, 2);
  EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(LoginWindowTest, ButtonUsesRouteAndReportsFailuresLeavingFields) {
  show();
  typeInto(form.Edit1, L"ana");
  SendMessageW(form.CheckBox2.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form.Button1.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(http->requests.back(), endpoints.login(true, "ana"));
  EXPECT_THAT(messages(), ElementsAre(login_messages::kAlternativeRouteWarning,
                                      login_messages::kConnectionFailure));
  EXPECT_EQ(form.Edit1.text(), "ana");
  EXPECT_TRUE(form.choices().alternativeRoute);
  EXPECT_EQ(handOvers, 0);
}

TEST_F(LoginWindowTest, WithoutASessionControlTheServiceIsStillAsked) {
  form.startSession = nullptr;
  http->responses[endpoints.login(false, "ana")] = "srv;3389";
  http->responses[endpoints.login(false, "anax")] = "";
  show();
  typeInto(form.Edit1, L"ana");
  SendMessageW(form.Button1.hwnd(), BM_CLICK, 0, 0);
  typeInto(form.Edit1, L"x");
  SendMessageW(form.Button1.hwnd(), BM_CLICK, 0, 0);
  EXPECT_THAT(http->requests, ElementsAre(endpoints.version(), endpoints.login(false, "ana"),
                                          endpoints.login(false, "anax")));
  EXPECT_THAT(messages(),
              ElementsAre(login_messages::kConnectionFailure, login_messages::kUserNotFound));
  EXPECT_EQ(handOvers, 0);
}

TEST_F(LoginWindowTest, CheckBoxesWarnOnlyWhenChecked) {
  show();
  for (int i = 0; i < 2; ++i) {
    SendMessageW(form.CheckBox1.hwnd(), BM_CLICK, 0, 0);
    SendMessageW(form.CheckBox2.hwnd(), BM_CLICK, 0, 0);
  }
  EXPECT_THAT(messages(), ElementsAre(login_messages::kDirectPrintersWarning,
                                      login_messages::kAlternativeRouteWarning));
  EXPECT_FALSE(form.choices().directPrinters);
}

}  // namespace
}  // namespace orvanta

namespace orvanta {
namespace {

TEST_F(LoginWindowTest, PaintsPictureOnTheLeftAndWhiteElsewhere) {
  show();
  test::pumpFor(app, std::chrono::milliseconds(400));
  if (const char* pause = std::getenv("ORVANTA_PAUSE_MS")) {
    Sleep(static_cast<DWORD>(std::atoi(pause)));  // time for a screenshot when asked
  }
  WindowDc dc(form.hwnd());
  auto color = [&](int x, int y) { return GetPixel(dc.get(), x, y); };
  EXPECT_EQ(color(290, 20), RGB(255, 255, 255));
  EXPECT_EQ(color(560, 395), RGB(255, 255, 255));
  const COLORREF corner = color(3, 3);
  EXPECT_GT(GetBValue(corner), GetRValue(corner));
  EXPECT_LT(GetBValue(corner), 0x50);
}

}  // namespace
}  // namespace orvanta
