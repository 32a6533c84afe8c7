#include "ui/timer_win.h"

namespace orvanta {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

WinTimer::WinTimer(Application& app, int intervalMs) : Window(app), intervalMs_(intervalMs) {
  createMessageOnly(L"OrvantaTimer");
}

void WinTimer::setIntervalMs(int intervalMs) {
  intervalMs_ = intervalMs;
  restart();
}

void WinTimer::setEnabled(bool enabled) {
  enabled_ = enabled;
  restart();
}

void WinTimer::restart() {
  KillTimer(hwnd(), kTimerId);
  // KillTimer leaves a tick that is already queued; drop it.
  MSG pending;
  while (PeekMessageW(&pending, hwnd(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
  }
  if (enabled_ && intervalMs_ > 0)
    SetTimer(hwnd(), kTimerId, static_cast<UINT>(intervalMs_), nullptr);
}

void WinTimer::onTimer(UINT_PTR id) {
  if (id == kTimerId && enabled_ && onTick) onTick();
}

}  // namespace orvanta
