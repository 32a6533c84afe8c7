// Whether a downloaded program may be started: only when its signature verified and its signer
// is one of the publishers expected for it, unless the build turned the check off.
#pragma once

#include <span>
#include <string_view>

#include "update/signature_check.h"

namespace orvanta {

struct PublisherPolicy {
  bool checkSignature = true;
  // A signer is expected when both its organisation and its common name are one of these.
  std::span<const std::string_view> publishers;
};

struct LaunchDecision {
  bool run = false;
  std::string_view message;  // shown to the user when the program is refused
};

inline constexpr std::string_view kUnverifiedProgramMessage =
    "O programa baixado não pôde ser verificado e, por segurança, não foi executado.";

LaunchDecision decideLaunch(const PublisherPolicy& policy,
                            const SignatureVerification& verification);

}  // namespace orvanta
