// SignatureCheck on the platform's Authenticode verification (WinVerifyTrust).
#pragma once

#include "update/signature_check.h"

namespace orvanta {

// Generic verify v2 of the file's embedded signature: no user interface and no interactive
// user, the whole chain built and checked, revocation as the platform's policy does it by
// default. The signer is read from the verification's own state, so the file is parsed once.
class WinSignatureCheck final : public SignatureCheck {
 public:
  SignatureVerification verify(std::string_view fileName) override;
};

}  // namespace orvanta
