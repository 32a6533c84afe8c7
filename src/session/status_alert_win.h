// The status alert window is not there yet: the session runs without it.
#pragma once

#include "session/status_alert.h"

namespace orvanta {

class StatusAlertWin : public StatusAlert {
 public:
  void show(std::string_view, int) override {}
  void close() override {}
};

}  // namespace orvanta
