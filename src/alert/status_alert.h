// The connection status alert as the session window drives it.
#pragma once

#include <string_view>

namespace orvanta {

class StatusAlert {
 public:
  virtual ~StatusAlert() = default;
  virtual void show(std::string_view text, int pictureIndex) = 0;
  virtual void close() = 0;
};

}  // namespace orvanta
