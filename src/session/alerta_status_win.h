// The status alert window is not there yet: the session runs without it.
#pragma once

#include "session/alerta_status.h"

namespace orvanta {

class AlertaStatusWin : public AlertaStatus {
 public:
  void show(std::string_view, int) override {}
  void close() override {}
};

}  // namespace orvanta
