// Runs the thread's message loop in a test until what it waits for has happened.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "base/message_pump.h"

namespace orvanta::test {

// Handles what is queued as a bare message loop does, without the application's own steps.
class ThreadMessages final : public MessagePump {
 public:
  void processMessages() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
};

// Handles messages through `pump` until `done` holds or `timeout` passes; whether it holds.
inline bool pumpUntil(MessagePump& pump, const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    pump.processMessages();
    // Wakes as soon as the next message arrives.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

inline bool pumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  ThreadMessages messages;
  return pumpUntil(messages, done, timeout);
}

// Handles messages for a while: for what has no condition to wait for, such as a person
// reading a box or timers that must not tick.
inline void pumpFor(MessagePump& pump, std::chrono::milliseconds duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  pumpUntil(
      pump, [&] { return std::chrono::steady_clock::now() >= end; }, duration * 2);
}

inline void pumpFor(std::chrono::milliseconds duration) {
  ThreadMessages messages;
  pumpFor(messages, duration);
}

}  // namespace orvanta::test
