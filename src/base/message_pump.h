// Lets long synchronous work keep windows alive by handling pending messages.
#pragma once

namespace orvanta {

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Handles every window message already queued, then returns.
  virtual void processMessages() = 0;
};

}  // namespace orvanta
