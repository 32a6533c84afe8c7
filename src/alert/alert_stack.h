// The alerts being shown, stacked upwards from the bottom-right corner of the work area in the
// order they were shown. An alert under the pointer is left where it is.
#pragma once

#include <vector>

namespace orvanta {

class DesktopAlert;

class AlertStack {
 public:
  AlertStack() = default;
  AlertStack(const AlertStack&) = delete;
  AlertStack& operator=(const AlertStack&) = delete;

  // Each re-places the alerts still in the stack.
  void add(DesktopAlert& alert);
  void remove(DesktopAlert& alert);
  bool contains(const DesktopAlert& alert) const;

 private:
  void place();

  std::vector<DesktopAlert*> alerts_;
};

}  // namespace orvanta
