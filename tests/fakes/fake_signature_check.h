// Answers every signature check with a chosen verification, or fails the check itself.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "update/signature_check.h"

namespace orvanta::test {

class FakeSignatureCheck final : public SignatureCheck {
 public:
  SignatureVerification verify(std::string_view fileName) override {
    checked.emplace_back(fileName);
    if (onVerify) onVerify(fileName);
    if (throws) throw std::runtime_error("the check could not be made");
    return result;
  }

  SignatureVerification result;
  bool throws = false;
  std::vector<std::string> checked;
  std::function<void(std::string_view)> onVerify;
};

}  // namespace orvanta::test
