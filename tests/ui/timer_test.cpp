#include "ui/timer_win.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_message_boxes_win.h"
#include "support/pump_win.h"
#include "ui/application_win.h"

namespace orvanta {
namespace {

struct TimerTest : ::testing::Test {
  test::FakeMessageBoxes boxes;
  Application app{boxes};

  void pump(int durationMs) { test::pumpFor(app, std::chrono::milliseconds(durationMs)); }
};

TEST_F(TimerTest, IsCreatedDisabledAndTicksOnlyWhileEnabled) {
  WinTimer timer(app, 20);
  int ticks = 0;
  timer.onTick = [&] { ++ticks; };
  EXPECT_FALSE(timer.enabled());
  pump(100);
  EXPECT_EQ(ticks, 0);

  timer.setEnabled(true);
  pump(200);
  EXPECT_GE(ticks, 2);

  timer.setEnabled(false);
  const int stopped = ticks;
  pump(100);
  EXPECT_EQ(ticks, stopped);
}

TEST_F(TimerTest, DisablingInsideTheTickStopsFurtherTicks) {
  WinTimer timer(app, 10);
  int ticks = 0;
  timer.onTick = [&] {
    ++ticks;
    timer.setEnabled(false);
  };
  timer.setEnabled(true);
  pump(150);
  EXPECT_EQ(ticks, 1);
}

TEST_F(TimerTest, AnExceptionFromATickGoesToTheDefaultHandler) {
  WinTimer timer(app, 10);
  timer.onTick = [&] {
    timer.setEnabled(false);
    throw std::runtime_error("Falha no relógio");
  };
  timer.setEnabled(true);
  pump(100);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"Falha no relógio.");
}

}  // namespace
}  // namespace orvanta
