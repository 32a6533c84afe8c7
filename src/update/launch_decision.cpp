#include "update/launch_decision.h"

#include <algorithm>

namespace orvanta {

namespace {

bool isExpected(const PublisherPolicy& policy, std::string_view name) {
  // An empty name would let a subject without that part through.
  return !name.empty() && std::ranges::find(policy.publishers, name) != policy.publishers.end();
}

}  // namespace

LaunchDecision decideLaunch(const PublisherPolicy& policy,
                            const SignatureVerification& verification) {
  if (!policy.checkSignature) return {true, {}};
  const bool run = verification.status == 0 && isExpected(policy, verification.organisation) &&
                   isExpected(policy, verification.commonName);
  if (run) return {true, {}};
  return {false, kUnverifiedProgramMessage};
}

}  // namespace orvanta
