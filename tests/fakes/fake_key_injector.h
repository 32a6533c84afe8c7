// Records every key the keyboard sends, and knows which keys it has left pressed.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/key_injector.h"

namespace orvanta::test {

struct SentKey {
  int virtualKey;
  int scanCode;
  bool release;
  bool message;  // sent to the focused window rather than injected
  bool operator==(const SentKey&) const = default;
};

inline std::string describe(const SentKey& k) {
  const std::string direction = k.release ? "up " : "down ";
  if (k.message) return "msg " + direction + std::to_string(k.virtualKey);
  return direction + std::to_string(k.virtualKey) + "/" + std::to_string(k.scanCode);
}

class FakeKeyInjector final : public KeyInjector {
 public:
  void inject(int virtualKey, int scanCode, bool release) override {
    record({virtualKey, scanCode, release, false});
  }
  void sendToFocus(int virtualKey, bool release) override {
    record({virtualKey, 0, release, true});
  }

  // The virtual-key codes pressed and not yet released, in the order they went down.
  std::vector<int> pressed() const { return pressed_; }
  bool isPressed(int virtualKey) const {
    return std::find(pressed_.begin(), pressed_.end(), virtualKey) != pressed_.end();
  }

  std::vector<SentKey> sent;
  std::function<void()> onSend;  // after each key, as the platform's key state changes

 private:
  void record(SentKey key) {
    sent.push_back(key);
    std::erase(pressed_, key.virtualKey);
    if (!key.release) pressed_.push_back(key.virtualKey);
    if (onSend) onSend();
  }
  std::vector<int> pressed_;
};

}  // namespace orvanta::test
