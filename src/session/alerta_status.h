// The connection status alert as the session window drives it.
#pragma once

#include <string_view>

namespace orvanta {

class AlertaStatus {
 public:
  virtual ~AlertaStatus() = default;
  virtual void show(std::string_view texto, int indiceFigura) = 0;
  virtual void close() = 0;
};

}  // namespace orvanta
