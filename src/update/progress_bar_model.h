// The download windows' progress bar as the platform control keeps it: the range starts at 0
// and the position always lies within it, so a maximum of 0 pins the position at 0.
#pragma once

#include <cstdint>
#include <functional>

namespace orvanta {

class ProgressBarModel {
 public:
  int max() const { return max_; }
  int position() const { return position_; }

  // Values beyond the control's 32-bit range are clamped; a negative maximum counts as 0.
  void setMax(int64_t max);
  void setPosition(int64_t position);

  // Called after every change, so the window can mirror it into its control.
  std::function<void()> onChange;

 private:
  int max_ = 100;
  int position_ = 0;
};

}  // namespace orvanta
