// Counts the times pending messages were handled; a test can run nested work from it (ticks,
// clicks) as the real loop would.
#pragma once

#include <functional>

#include "base/message_pump.h"

namespace orvanta::test {

class FakeMessagePump final : public MessagePump {
 public:
  void processMessages() override {
    ++calls;
    if (onProcess) onProcess();
  }
  int calls = 0;
  std::function<void()> onProcess;
};

}  // namespace orvanta::test
