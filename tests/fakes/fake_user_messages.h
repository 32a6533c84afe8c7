// Records the texts of every box and answers confirmations with a preset answer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/user_messages.h"

namespace orvanta::test {

class FakeUserMessages final : public UserMessages {
 public:
  void showMessage(std::string_view text) override {
    messages.emplace_back(text);
    if (onMessage) onMessage(messages.back());
  }
  bool confirm(std::string_view text) override {
    confirmations.emplace_back(text);
    return confirmAnswer;
  }

  std::vector<std::string> messages;
  std::vector<std::string> confirmations;
  bool confirmAnswer = true;
  // Runs while the box would be open (a modal box pumps messages).
  std::function<void(const std::string&)> onMessage;
};

}  // namespace orvanta::test
