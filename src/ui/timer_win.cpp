#include "ui/timer_win.h"

#include "ui/take_message_win.h"

namespace orvanta {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

// Its window is made when the timer is first enabled: most timers are created at start and
// many never run.
WinTimer::WinTimer(Application& app, int intervalMs) : Window(app), intervalMs_(intervalMs) {}

void WinTimer::setIntervalMs(int intervalMs) {
  intervalMs_ = intervalMs;
  restart();
}

void WinTimer::setEnabled(bool enabled) {
  enabled_ = enabled;
  restart();
}

void WinTimer::restart() {
  const bool run = enabled_ && intervalMs_ > 0;
  if (!hwnd()) {
    if (!run) return;
    createMessageOnly(L"OrvantaTimer");
  }
  KillTimer(hwnd(), kTimerId);
  // KillTimer leaves a tick that is already queued; drop it.
  MSG pending;
  while (takeMessage(pending, hwnd(), WM_TIMER, WM_TIMER)) {
  }
  if (run) SetTimer(hwnd(), kTimerId, static_cast<UINT>(intervalMs_), nullptr);
}

void WinTimer::onTimer(UINT_PTR id) {
  if (id == kTimerId && enabled_ && onTick) onTick();
}

}  // namespace orvanta
