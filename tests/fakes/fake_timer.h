// Timers on a virtual clock: advance() moves the time and fires enabled timers in time order
// (timers due at the same moment in creation order), so ticks that enable, disable or retime
// other timers behave as they would in the message loop. As a message pump it delivers, like
// WM_TIMER, at most one tick of each due timer per pass, however many intervals elapsed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/message_pump.h"
#include "base/timer.h"

namespace orvanta::test {

class FakeTimer;

class FakeTimerService : public MessagePump {
 public:
  int64_t nowMs() const { return nowMs_; }
  // Fires every tick due up to now + ms, then sets the clock there.
  inline void advance(int64_t ms);
  void advanceTo(int64_t untilMs) { advance(std::max<int64_t>(untilMs - nowMs_, 0)); }
  // Time that passes while the thread is blocked: no tick is delivered.
  void blockFor(int64_t ms) { nowMs_ += ms; }
  // One pass over the message queue: a tick of every timer due now.
  inline void processMessages() override;
  int pumpCount() const { return pumpCount_; }
  // Another message handled by a pass: the user closing the window, say.
  std::function<void()> onPump;
  // Advances to the next tick of any enabled timer and fires it; false when none is enabled.
  inline bool fireNext();
  int ticksFired() const { return ticksFired_; }

 private:
  friend class FakeTimer;
  inline FakeTimer* nextDue() const;
  inline void fire(FakeTimer& timer);

  int64_t nowMs_ = 0;
  int ticksFired_ = 0;
  int pumpCount_ = 0;
  std::vector<FakeTimer*> timers_;
};

class FakeTimer final : public Timer {
 public:
  explicit FakeTimer(FakeTimerService& service, int intervalMs = 1000)
      : service_(service), intervalMs_(intervalMs) {
    service_.timers_.push_back(this);
  }
  ~FakeTimer() override { std::erase(service_.timers_, this); }
  FakeTimer(const FakeTimer&) = delete;
  FakeTimer& operator=(const FakeTimer&) = delete;

  int intervalMs() const override { return intervalMs_; }
  void setIntervalMs(int intervalMs) override {
    intervalMs_ = intervalMs;
    dueMs_ = service_.nowMs() + intervalMs_;
  }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override {
    enabled_ = enabled;
    dueMs_ = service_.nowMs() + intervalMs_;
  }
  // Time of the next tick while enabled.
  int64_t dueMs() const { return dueMs_; }
  bool running() const { return enabled_ && intervalMs_ > 0; }
  int ticks() const { return ticks_; }

 private:
  friend class FakeTimerService;
  FakeTimerService& service_;
  int intervalMs_;
  bool enabled_ = false;
  int64_t dueMs_ = 0;
  int ticks_ = 0;
};

FakeTimer* FakeTimerService::nextDue() const {
  FakeTimer* next = nullptr;
  for (FakeTimer* t : timers_) {
    if (t->running() && (!next || t->dueMs_ < next->dueMs_)) next = t;
  }
  return next;
}

void FakeTimerService::fire(FakeTimer& timer) {
  nowMs_ = std::max(nowMs_, timer.dueMs_);
  timer.dueMs_ = nowMs_ + timer.intervalMs_;
  ++timer.ticks_;
  ++ticksFired_;
  if (timer.onTick) timer.onTick();
}

void FakeTimerService::advance(int64_t ms) {
  const int64_t endMs = nowMs_ + ms;
  for (FakeTimer* t = nextDue(); t && t->dueMs_ <= endMs; t = nextDue()) fire(*t);
  nowMs_ = endMs;
}

void FakeTimerService::processMessages() {
  ++pumpCount_;
  if (onPump) onPump();
  const std::vector<FakeTimer*> copy = timers_;
  for (FakeTimer* t : copy) {
    // A tick may delete a later timer.
    if (std::ranges::find(timers_, t) != timers_.end() && t->running() && t->dueMs_ <= nowMs_) {
      fire(*t);
    }
  }
}

bool FakeTimerService::fireNext() {
  FakeTimer* t = nextDue();
  if (!t) return false;
  fire(*t);
  return true;
}

}  // namespace orvanta::test
