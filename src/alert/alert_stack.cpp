#include "alert/alert_stack.h"

#include <algorithm>

#include "alert/desktop_alert.h"

namespace orvanta {

void AlertStack::add(DesktopAlert& alert) {
  if (!contains(alert)) alerts_.push_back(&alert);
  place();
}

void AlertStack::remove(DesktopAlert& alert) {
  if (std::erase(alerts_, &alert) > 0) place();
}

bool AlertStack::contains(const DesktopAlert& alert) const {
  return std::find(alerts_.begin(), alerts_.end(), &alert) != alerts_.end();
}

void AlertStack::place() {
  if (alerts_.empty()) return;
  const Rect area = alerts_.front()->workArea();
  int bottom = area.bottom;
  for (DesktopAlert* alert : alerts_) {
    const Rect& b = alert->bounds();
    if (!alert->pointerInside()) alert->moveTo(area.right - b.width(), bottom - b.height());
    bottom -= b.height();
  }
}

}  // namespace orvanta
