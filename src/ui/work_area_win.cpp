#include "ui/work_area_win.h"

#include <algorithm>

namespace orvanta {

namespace {

struct Span {
  LONG start;
  LONG size;
};

Span fitSpan(Span window, LONG smallest, Span area) {
  const LONG size = std::max(std::min(window.size, area.size), std::min(smallest, window.size));
  return {std::max(area.start, std::min(window.start, area.start + area.size - size)), size};
}

}  // namespace

RECT fitToWorkArea(const RECT& window, SIZE smallest) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) return window;
  const RECT& work = monitor.rcWork;
  const Span x = fitSpan({window.left, window.right - window.left}, smallest.cx,
                         {work.left, work.right - work.left});
  const Span y = fitSpan({window.top, window.bottom - window.top}, smallest.cy,
                         {work.top, work.bottom - work.top});
  return {x.start, y.start, x.start + x.size, y.start + y.size};
}

}  // namespace orvanta
