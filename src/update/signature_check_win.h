// SignatureCheck on the platform's Authenticode verification (WinVerifyTrust).
#pragma once

#include <memory>

#include "update/signature_check.h"

namespace orvanta {

class TrustLibrary;

// Generic verify v2 of the file's embedded signature: no user interface and no interactive
// user, the whole chain built and checked, revocation as the platform's policy does it by
// default. The signer is read from the verification's own state, so the file is parsed once.
class WinSignatureCheck final : public SignatureCheck {
 public:
  WinSignatureCheck();
  ~WinSignatureCheck() override;
  // Loads the platform's trust libraries the first time; a failure to load them throws.
  SignatureVerification verify(std::string_view fileName) override;

 private:
  std::unique_ptr<TrustLibrary> trust_;
};

}  // namespace orvanta
