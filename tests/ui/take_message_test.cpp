#include "ui/take_message_win.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/fake_message_boxes_win.h"
#include "ui/application_win.h"
#include "ui/queued_input_win.h"
#include "ui/timer_win.h"

namespace orvanta {
namespace {

struct TakeMessageTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  WinTimer timer{app, 10};
};

// A quit asked for just before queued messages are taken out (a session closed while the
// control's last event stops the alert's timers, say) must still end the message loop.
TEST_F(TakeMessageTest, AQuitAskedForBeforeMessagesAreTakenOutStaysQueued) {
  timer.setEnabled(true);
  const struct {
    const char* what;
    std::function<void()> takeOut;
  } cases[] = {
      {"taking timer ticks",
       [] {
         MSG msg;
         while (takeMessage(msg, nullptr, WM_TIMER, WM_TIMER)) {
         }
       }},
      {"stopping a timer", [&] { timer.setEnabled(false); }},
      {"dropping queued input", [] { dropQueuedInput(nullptr); }},
  };
  for (const auto& c : cases) {
    PostQuitMessage(7);
    c.takeOut();
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.what;
    EXPECT_EQ(msg.wParam, 7u) << c.what;
  }
}

}  // namespace
}  // namespace orvanta
