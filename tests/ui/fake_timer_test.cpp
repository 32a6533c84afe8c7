// The virtual clock is what every window core's timer tests stand on.
#include "fakes/fake_timer.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta::test {
namespace {

TEST(FakeTimerTest, IsCreatedDisabledAndTicksEveryIntervalWhileEnabled) {
  FakeTimerService clock;
  FakeTimer timer(clock, 100);
  EXPECT_FALSE(timer.enabled());
  clock.advance(1000);
  EXPECT_EQ(timer.ticks(), 0);
  timer.setEnabled(true);
  clock.advance(350);
  EXPECT_EQ(timer.ticks(), 3);
  timer.setEnabled(false);
  clock.advance(1000);
  EXPECT_EQ(timer.ticks(), 3);
}

TEST(FakeTimerTest, FiresTimersInTimeOrderAndSeesChangesMadeByTicks) {
  FakeTimerService clock;
  FakeTimer slow(clock, 300), fast(clock, 100), late(clock, 50);
  std::string order;
  slow.onTick = [&] {
    order += 's';
    late.setEnabled(true);  // counts from the slow tick's time
  };
  fast.onTick = [&] {
    order += 'f';
    if (fast.ticks() == 2) fast.setEnabled(false);
  };
  late.onTick = [&] {
    order += 'l';
    late.setEnabled(false);
  };
  slow.setEnabled(true);
  fast.setEnabled(true);
  clock.advance(400);
  EXPECT_EQ(order, "ffsl");
  EXPECT_EQ(clock.nowMs(), 400);
}

TEST(FakeTimerTest, RestartsItsCountdownWhenEnabledOrRetimed) {
  FakeTimerService clock;
  FakeTimer timer(clock, 100);
  timer.setEnabled(true);
  clock.advance(90);
  timer.setIntervalMs(100);
  clock.advance(90);
  EXPECT_EQ(timer.ticks(), 0);
  EXPECT_TRUE(clock.fireNext());
  EXPECT_EQ(clock.nowMs(), 190);
  timer.setIntervalMs(0);
  EXPECT_FALSE(clock.fireNext());
}

}  // namespace
}  // namespace orvanta::test
