// The desktop alert's fade, pointer rules and placement on a virtual clock.
#include "alert/desktop_alert.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "alert/alert_stack.h"
#include "fakes/fake_timer.h"

namespace orvanta {
namespace {

constexpr int kNoAlpha = -1;  // no opacity was ever applied

struct FakeAlertWindow : DesktopAlertWindow {
  Rect bounds;
  std::string text;
  bool visible = false;
  bool alphaAvailable = true;
  int alpha = kNoAlpha;
  int shows = 0;
  int hides = 0;

  void setBounds(const Rect& b) override { bounds = b; }
  void setMessageText(std::string_view t) override { text = t; }
  void showWithoutActivation() override {
    visible = true;
    ++shows;
  }
  void hide() override {
    visible = false;
    ++hides;
  }
  bool alphaBlendAvailable() const override { return alphaAvailable; }
  void setAlphaBlendValue(int a) override { alpha = a; }
};

struct FakeScreen : AlertScreen {
  Rect area{0, 0, 1280, 1024};
  Point cursor{10, 10};
  Rect workArea() const override { return area; }
  Point cursorPos() const override { return cursor; }
};

// The status alert's settings: no display time, 200 at full opacity.
constexpr FadeStyleOptions kStatusAlert{.DisplayDuration = 0, .MaxAlphaBlendValue = 200};

struct Bench {
  explicit Bench(FadeStyleOptions options = kStatusAlert, bool alphaAvailable = true) {
    window.alphaAvailable = alphaAvailable;
    alert = std::make_unique<DesktopAlert>(window, screen, stack, animation, mouse, options);
  }
  test::FakeTimerService clock;
  test::FakeTimer animation{clock};
  test::FakeTimer mouse{clock};
  FakeAlertWindow window;
  FakeScreen screen;
  AlertStack stack;
  std::unique_ptr<DesktopAlert> alert;
};

enum class Act {
  none,
  execute,
  closeFading,  // Close(False)
  closeNow,     // Close(True)
  closeButton,
  pointerEnters,   // the pointer moves onto the alert
  pointerLeaves,   // ... and off it again
  pointerRestsOn,  // the pointer is on the alert without an enter event (seen by the poll)
};

struct Step {
  int64_t atMs;  // ticks due at this time fire before the act
  Act act;
  int alpha;
  TJvStyleHandlerStatus status;
  bool visible;
  bool fading;  // the animation timer runs
};

struct FadeCase {
  const char* name;
  std::vector<Step> steps;
  FadeStyleOptions options = kStatusAlert;
};

void act(Bench& b, Act a) {
  const Rect& r = b.alert->bounds();
  switch (a) {
    case Act::none:
      break;
    case Act::execute:
      b.alert->Execute();
      break;
    case Act::closeFading:
      b.alert->Close(false);
      break;
    case Act::closeNow:
      b.alert->Close(true);
      break;
    case Act::closeButton:
      b.alert->closeButtonClicked();
      break;
    case Act::pointerEnters:
      b.screen.cursor = {r.left + 5, r.top + 5};
      b.alert->pointerEntered();
      break;
    case Act::pointerLeaves:
      b.screen.cursor = {10, 10};
      b.alert->pointerLeft();
      break;
    case Act::pointerRestsOn:
      b.screen.cursor = {r.left + 5, r.top + 5};
      break;
  }
}

const std::vector<FadeCase> kFadeCases = {
    {"FadesInOverTenTicksAndStaysWithoutADisplayTimer",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {25, Act::none, 0, hsStartAnim, true, true},
      {50, Act::none, 20, hsStartAnim, true, true},
      {75, Act::none, 40, hsStartAnim, true, true},
      {225, Act::none, 160, hsStartAnim, true, true},
      {249, Act::none, 160, hsStartAnim, true, true},
      {250, Act::none, 200, hsStartAnim, true, false},
      {60000, Act::none, 200, hsStartAnim, true, false}}},
    {"CloseFadesOutOverTenTicksAndHides",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {1000, Act::closeFading, 200, hsEndAnim, true, true},
      {1050, Act::none, 180, hsEndAnim, true, true},
      {1100, Act::none, 160, hsEndAnim, true, true},
      {1450, Act::none, 20, hsEndAnim, true, true},
      {1499, Act::none, 20, hsEndAnim, true, true},
      {1500, Act::none, 0, hsEndAnim, false, false},
      {5000, Act::none, 0, hsEndAnim, false, false}}},
    {"ClosedBeforeTheFadeInEndsJumpsToFullAndFadesOut",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {100, Act::none, 60, hsStartAnim, true, true},
      {100, Act::closeFading, 200, hsEndAnim, true, true},
      {150, Act::none, 180, hsEndAnim, true, true},
      {550, Act::none, 20, hsEndAnim, true, true},
      {600, Act::none, 0, hsEndAnim, false, false}}},
    {"ExecuteDuringTheFadeOutFadesInAnewFromTransparent",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {300, Act::closeFading, 200, hsEndAnim, true, true},
      {400, Act::none, 160, hsEndAnim, true, true},
      {400, Act::execute, 0, hsStartAnim, true, true},
      {450, Act::none, 20, hsStartAnim, true, true},
      {650, Act::none, 200, hsStartAnim, true, false},
      {9000, Act::none, 200, hsStartAnim, true, false}}},
    {"ExecuteDuringTheFadeInStartsItAgain",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {100, Act::execute, 0, hsStartAnim, true, true},
      {150, Act::none, 20, hsStartAnim, true, true},
      {350, Act::none, 200, hsStartAnim, true, false}}},
    {"PointerEnteringDuringTheFadeOutKeepsTheAlertFullyShown",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {300, Act::closeFading, 200, hsEndAnim, true, true},
      {400, Act::none, 160, hsEndAnim, true, true},
      {400, Act::pointerEnters, 200, hsEndAnim, true, false},
      {5000, Act::none, 200, hsEndAnim, true, false},
      {5000, Act::pointerLeaves, 200, hsEndAnim, true, false},
      {9000, Act::none, 200, hsEndAnim, true, false},
      {9000, Act::closeFading, 200, hsEndAnim, true, true},
      {9500, Act::none, 0, hsEndAnim, false, false}}},
    {"PointerEnteringDuringTheFadeInDoesNotStopIt",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {100, Act::pointerEnters, 60, hsStartAnim, true, true},
      {250, Act::none, 200, hsStartAnim, true, false}}},
    {"PointerRestingOnTheAlertLetsTheFadeOutRunToTheEnd",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {10, Act::pointerRestsOn, 0, hsStartAnim, true, true},
      {300, Act::closeFading, 200, hsEndAnim, true, true},
      {700, Act::none, 40, hsEndAnim, true, true},
      {800, Act::none, 0, hsEndAnim, false, false}}},
    {"CloseButtonDuringTheFadeInHidesAtOnceAndLaterTicksKeepItHidden",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {100, Act::closeButton, 60, hsStartAnim, false, true},
      {150, Act::none, 100, hsStartAnim, false, true},
      {250, Act::none, 200, hsStartAnim, false, false},
      {5000, Act::none, 200, hsStartAnim, false, false}}},
    {"CloseButtonDuringTheFadeOutHidesAtOnce",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {300, Act::closeFading, 200, hsEndAnim, true, true},
      {350, Act::closeButton, 180, hsEndAnim, false, true},
      {800, Act::none, 0, hsEndAnim, false, false}}},
    {"SecondCloseRestartsTheFadeOutFromFull",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {300, Act::closeFading, 200, hsEndAnim, true, true},
      {400, Act::none, 160, hsEndAnim, true, true},
      {400, Act::closeFading, 200, hsEndAnim, true, true},
      {450, Act::none, 180, hsEndAnim, true, true},
      {850, Act::none, 20, hsEndAnim, true, true},
      {900, Act::none, 0, hsEndAnim, false, false}}},
    {"CloseWhileHiddenDoesNothing",
     {{0, Act::closeFading, kNoAlpha, hsIdle, false, false},
      {0, Act::closeNow, kNoAlpha, hsIdle, false, false},
      {0, Act::execute, 0, hsStartAnim, true, true},
      {50, Act::closeNow, 20, hsStartAnim, false, true},
      {60, Act::closeFading, 20, hsStartAnim, false, true}}},
    {"DisplayTimeEndsInIdleThenThePollFadesOutOnceThePointerIsOff",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {10, Act::pointerEnters, 0, hsStartAnim, true, true},
      {250, Act::none, 200, hsDisplay, true, true},
      {1250, Act::none, 200, hsIdle, true, false},
      {3000, Act::none, 200, hsIdle, true, false},
      {3000, Act::pointerLeaves, 200, hsEndAnim, true, true},
      {3500, Act::none, 0, hsEndAnim, false, false},
      {4000, Act::execute, 0, hsStartAnim, true, true},
      {5250, Act::none, 200, hsIdle, true, false},
      {5400, Act::none, 200, hsEndAnim, true, true},
      {5900, Act::none, 0, hsEndAnim, false, false}},
     {.DisplayDuration = 1000, .MaxAlphaBlendValue = 200}},
    {"ZeroStepsCountAsOne",
     {{0, Act::execute, 0, hsStartAnim, true, true},
      {25, Act::none, 200, hsStartAnim, true, false},
      {100, Act::closeFading, 200, hsEndAnim, true, true},
      {150, Act::none, 0, hsEndAnim, false, false}},
     {.StartSteps = 0, .EndSteps = 0, .DisplayDuration = 0, .MaxAlphaBlendValue = 200}},
};

void runCase(const FadeCase& c, bool alphaAvailable) {
  Bench b(c.options, alphaAvailable);
  for (const Step& s : c.steps) {
    b.clock.advance(s.atMs - b.clock.nowMs());
    act(b, s.act);
    const std::string where = std::string(c.name) + " at " + std::to_string(s.atMs) + " ms";
    EXPECT_EQ(b.window.alpha, alphaAvailable ? s.alpha : kNoAlpha) << where;
    EXPECT_EQ(b.alert->status(), s.status) << where;
    EXPECT_EQ(b.window.visible, s.visible) << where;
    EXPECT_EQ(b.alert->Showing(), s.visible) << where;
    EXPECT_EQ(b.animation.running(), s.fading) << where;
  }
}

TEST(DesktopAlertFadeTest, FollowsTheTimeTable) {
  for (const FadeCase& c : kFadeCases) runCase(c, true);
}

// Where the platform has no per-window opacity the alert keeps the same timing, fully opaque.
TEST(DesktopAlertFadeTest, WithoutPerWindowAlphaKeepsTheTimingAndAppliesNoOpacity) {
  for (const FadeCase& c : kFadeCases) runCase(c, false);
}

TEST(DesktopAlertTest, ExecuteWhileShowingHidesAtOnceAndReusesTheOneWindow) {
  Bench b;
  b.alert->setMessageText("Conectando");
  b.alert->Execute();
  b.clock.advance(400);
  b.alert->Close(false);
  b.clock.advance(100);
  b.alert->setMessageText("Desconectado");
  EXPECT_EQ(b.window.text, "Desconectado");  // shown at once
  b.alert->Execute();
  EXPECT_EQ(b.window.hides, 1);
  EXPECT_EQ(b.window.shows, 2);
  EXPECT_EQ(b.window.alpha, 0);
  EXPECT_TRUE(b.stack.contains(*b.alert));
}

TEST(DesktopAlertTest, PollsThePointerOnlyWhileShown) {
  Bench b;
  EXPECT_FALSE(b.mouse.running());
  b.alert->Execute();
  EXPECT_TRUE(b.mouse.running());
  EXPECT_EQ(b.mouse.intervalMs(), 200);
  b.screen.cursor = {b.alert->bounds().left, b.alert->bounds().top};
  b.clock.advance(200);
  EXPECT_TRUE(b.alert->pointerInside());
  b.screen.cursor = {b.alert->bounds().left - 1, b.alert->bounds().top};
  b.clock.advance(200);
  EXPECT_FALSE(b.alert->pointerInside());
  b.alert->Close(true);
  EXPECT_FALSE(b.mouse.running());
}

TEST(DesktopAlertTest, SitsAtTheBottomRightOfTheWorkAreaTouchingItsEdges) {
  struct Case {
    const char* taskbar;
    Rect workArea;
    Rect expected;
  };
  const Case cases[] = {
      {"none", {0, 0, 1280, 1024}, {951, 948, 1280, 1024}},
      {"bottom", {0, 0, 1280, 984}, {951, 908, 1280, 984}},
      {"right", {0, 0, 1218, 1024}, {889, 948, 1218, 1024}},
      {"top", {0, 40, 1280, 1024}, {951, 948, 1280, 1024}},
      {"left", {60, 0, 1280, 1024}, {951, 948, 1280, 1024}},
  };
  for (const Case& c : cases) {
    Bench b;
    b.screen.area = c.workArea;
    b.alert->Execute();
    EXPECT_EQ(b.window.bounds, c.expected) << c.taskbar;
    EXPECT_EQ(b.alert->bounds(), c.expected) << c.taskbar;
  }
}

TEST(AlertStackTest, StacksAlertsUpwardsAndClosesTheGap) {
  test::FakeTimerService clock;
  test::FakeTimer timers[4] = {test::FakeTimer{clock}, test::FakeTimer{clock},
                               test::FakeTimer{clock}, test::FakeTimer{clock}};
  FakeScreen screen;
  AlertStack stack;
  FakeAlertWindow firstWindow, secondWindow;
  DesktopAlert first(firstWindow, screen, stack, timers[0], timers[1], kStatusAlert);
  auto second = std::make_unique<DesktopAlert>(secondWindow, screen, stack, timers[2], timers[3],
                                               kStatusAlert);
  first.Execute();
  second->Execute();
  EXPECT_EQ(firstWindow.bounds, (Rect{951, 948, 1280, 1024}));
  EXPECT_EQ(secondWindow.bounds, (Rect{951, 872, 1280, 948}));

  // The one under the pointer stays where it is.
  second->pointerEntered();
  first.Close(true);
  EXPECT_FALSE(stack.contains(first));
  EXPECT_EQ(secondWindow.bounds, (Rect{951, 872, 1280, 948}));
  second->pointerLeft();
  first.Execute();
  EXPECT_EQ(secondWindow.bounds, (Rect{951, 948, 1280, 1024}));
  EXPECT_EQ(firstWindow.bounds, (Rect{951, 872, 1280, 948}));

  // Going away while shown takes it off the stack.
  second.reset();
  EXPECT_FALSE(secondWindow.visible);
  EXPECT_EQ(firstWindow.bounds, (Rect{951, 948, 1280, 1024}));
}

}  // namespace
}  // namespace orvanta
