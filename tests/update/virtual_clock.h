// Virtual time for window timers. Like WM_TIMER, a tick is only delivered while messages are
// processed, and several elapsed intervals give one tick.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/message_pump.h"
#include "base/timer.h"

namespace orvanta::test {

class VirtualClock;

class VirtualTimer : public Timer {
 public:
  explicit VirtualTimer(VirtualClock& clock);
  ~VirtualTimer() override;
  VirtualTimer(const VirtualTimer&) = delete;
  VirtualTimer& operator=(const VirtualTimer&) = delete;

  int intervalMs() const override { return intervalMs_; }
  void setIntervalMs(int intervalMs) override;
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override;

  int64_t nextMs() const { return nextMs_; }
  bool isDue(int64_t nowMs) const { return enabled_ && nextMs_ <= nowMs; }
  void fire();

 private:
  VirtualClock& clock_;
  int intervalMs_ = 0;
  bool enabled_ = false;
  int64_t nextMs_ = 0;
};

class VirtualClock : public MessagePump {
 public:
  int64_t nowMs() const { return nowMs_; }

  // Time that passes while the thread is blocked: no tick is delivered.
  void blockFor(int64_t ms) { nowMs_ += ms; }

  // Delivers one tick of every timer that is due now.
  void processMessages() override {
    ++pumpCount_;
    if (onPump) onPump();
    const std::vector<VirtualTimer*> copy = timers_;
    for (VirtualTimer* t : copy) {
      if (isRegistered(t) && t->isDue(nowMs_)) t->fire();
    }
  }

  // The idle message loop: ticks are delivered at their due times until untilMs.
  void runUntil(int64_t untilMs) {
    while (true) {
      VirtualTimer* nextDue = nullptr;
      for (VirtualTimer* t : timers_) {
        if (t->enabled() && t->nextMs() <= untilMs &&
            (nextDue == nullptr || t->nextMs() < nextDue->nextMs())) {
          nextDue = t;
        }
      }
      if (nextDue == nullptr) break;
      nowMs_ = std::max(nowMs_, nextDue->nextMs());
      nextDue->fire();
    }
    nowMs_ = std::max(nowMs_, untilMs);
  }
  void runFor(int64_t ms) { runUntil(nowMs_ + ms); }

  int pumpCount() const { return pumpCount_; }
  // Another message handled by the pump: the user closing the window, say.
  std::function<void()> onPump;

  void addTimer(VirtualTimer* t) { timers_.push_back(t); }
  void removeTimer(VirtualTimer* t) { std::erase(timers_, t); }

 private:
  bool isRegistered(VirtualTimer* t) const {
    return std::find(timers_.begin(), timers_.end(), t) != timers_.end();
  }

  int64_t nowMs_ = 0;
  int pumpCount_ = 0;
  std::vector<VirtualTimer*> timers_;
};

inline VirtualTimer::VirtualTimer(VirtualClock& clock) : clock_(clock) {
  clock_.addTimer(this);
}

inline VirtualTimer::~VirtualTimer() {
  clock_.removeTimer(this);
}

inline void VirtualTimer::setIntervalMs(int intervalMs) {
  intervalMs_ = intervalMs;
  if (enabled_) nextMs_ = clock_.nowMs() + intervalMs_;
}

inline void VirtualTimer::setEnabled(bool enabled) {
  if (enabled && !enabled_) nextMs_ = clock_.nowMs() + intervalMs_;
  enabled_ = enabled;
}

inline void VirtualTimer::fire() {
  nextMs_ = clock_.nowMs() + intervalMs_;
  if (onTick) onTick();
}

}  // namespace orvanta::test
