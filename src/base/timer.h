// A window timer as the core sees it: created disabled, ticks every intervalMs while enabled.
#pragma once

#include <functional>

namespace orvanta {

class Timer {
 public:
  virtual ~Timer() = default;

  virtual int intervalMs() const = 0;
  // Changing the interval of an enabled timer restarts its countdown.
  virtual void setIntervalMs(int intervalMs) = 0;
  virtual bool enabled() const = 0;
  // Enabling starts a fresh countdown; disabling drops a pending tick.
  virtual void setEnabled(bool enabled) = 0;

  std::function<void()> onTick;
};

}  // namespace orvanta
