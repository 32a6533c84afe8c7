#include "update/launch_decision.h"

#include <gtest/gtest.h>

#include <array>

namespace orvanta::test {
namespace {

constexpr uint32_t kNoSignature = 0x800B0100;    // TRUST_E_NOSIGNATURE
constexpr uint32_t kBadDigest = 0x80096010;      // TRUST_E_BAD_DIGEST
constexpr uint32_t kUntrustedRoot = 0x800B0109;  // CERT_E_UNTRUSTEDROOT

constexpr std::array<std::string_view, 2> kPublishers{"Lessendra", "Lessendra Ltda"};
constexpr std::array<std::string_view, 2> kWithEmptyName{"", "Lessendra"};

struct DecisionCase {
  const char* name;
  PublisherPolicy policy;
  SignatureVerification verification;
  bool run;
};

void PrintTo(const DecisionCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class LaunchDecisionTableTest : public testing::TestWithParam<DecisionCase> {};

TEST_P(LaunchDecisionTableTest, RunsOnlyAVerifiedProgramOfAnExpectedPublisher) {
  const DecisionCase& c = GetParam();
  const LaunchDecision decision = decideLaunch(c.policy, c.verification);
  EXPECT_EQ(decision.run, c.run);
  EXPECT_EQ(decision.message, c.run ? "" : kUnverifiedProgramMessage);
}

const PublisherPolicy kChecked{true, kPublishers};

INSTANTIATE_TEST_SUITE_P(
    Cases, LaunchDecisionTableTest,
    testing::Values(
        DecisionCase{"ExpectedPublisher", kChecked, {0, "Lessendra", "Lessendra"}, true},
        DecisionCase{"EachPartAnExpectedName", kChecked, {0, "Lessendra Ltda", "Lessendra"}, true},
        DecisionCase{"OtherCommonName", kChecked, {0, "Lessendra", "Someone Else"}, false},
        DecisionCase{"OtherOrganisation", kChecked, {0, "Someone Else", "Lessendra"}, false},
        DecisionCase{"NoOrganisation", kChecked, {0, "", "Lessendra"}, false},
        DecisionCase{"NamesDifferInCase", kChecked, {0, "lessendra", "lessendra"}, false},
        DecisionCase{"NameWithTrailingBlank", kChecked, {0, "Lessendra ", "Lessendra"}, false},
        DecisionCase{"Unsigned", kChecked, {kNoSignature, "", ""}, false},
        DecisionCase{"Tampered", kChecked, {kBadDigest, "Lessendra", "Lessendra"}, false},
        DecisionCase{"UntrustedRoot", kChecked, {kUntrustedRoot, "Lessendra", "Lessendra"}, false},
        DecisionCase{"CheckNotMade", kChecked, {kVerificationFailed, "", ""}, false},
        DecisionCase{"EmptyNameListedNoSubject", {true, kWithEmptyName}, {0, "", ""}, false},
        DecisionCase{"NoPublisherListed", {true, {}}, {0, "", ""}, false},
        DecisionCase{"CheckTurnedOffUnsigned", {false, kPublishers}, {kNoSignature, "", ""}, true},
        DecisionCase{"CheckTurnedOffOtherPublisher", {false, {}}, {0, "Someone", "Someone"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvanta::test
