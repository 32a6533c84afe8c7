// Work put off until it is first asked for, then done once: how a window or control the user
// may never see is made when its handle is first needed.
#pragma once

#include <functional>
#include <utility>

namespace orvanta {

class WhenNeeded {
 public:
  void set(std::function<void()> work) { work_ = std::move(work); }
  bool pending() const { return static_cast<bool>(work_); }
  // Taken out first: the work asks for what it makes, which must not start it again.
  void run() const {
    const std::function<void()> work = std::move(work_);
    work_ = nullptr;
    work();
  }

 private:
  mutable std::function<void()> work_;
};

}  // namespace orvanta
