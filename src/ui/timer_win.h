// Timer on a window timer: ticks arrive as messages of the UI thread, like every other event.
#pragma once

#include "base/timer.h"
#include "ui/window_win.h"

namespace orvanta {

class WinTimer final : public Timer, private Window {
 public:
  // Disabled, 1000 ms.
  explicit WinTimer(Application& app, int intervalMs = 1000);

  int intervalMs() const override { return intervalMs_; }
  void setIntervalMs(int intervalMs) override;
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override;

 private:
  void onTimer(UINT_PTR id) override;
  void restart();

  int intervalMs_;
  bool enabled_ = false;
};

}  // namespace orvanta
