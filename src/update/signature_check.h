// The platform's check of a downloaded program's embedded signature, and whom it names as the
// signer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// The status of a verification that could not be made at all.
inline constexpr uint32_t kVerificationFailed = 0xFFFFFFFF;

struct SignatureVerification {
  // The platform's result: 0 when the signature, the file's hash and the chain all verified.
  uint32_t status = 0;
  // Of the leaf signer's certificate subject, as the verification itself found it; empty when
  // there is no verified signer or the subject has no such part.
  std::string organisation;
  std::string commonName;
};

class SignatureCheck {
 public:
  virtual ~SignatureCheck() = default;
  virtual SignatureVerification verify(std::string_view fileName) = 0;
};

}  // namespace orvanta
