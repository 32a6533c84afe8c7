#include "update/processor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace orvanta {
namespace {

constexpr uint32_t kLongModeBit = 1u << 29;

class FakeCpuid : public CpuidInstruction {
 public:
  FakeCpuid(bool available, const std::string& vendor, uint32_t highestExtendedLeaf,
            uint32_t extendedEdx)
      : available_(available) {
    CpuidRegisters leaf0{0x16, 0, 0, 0};
    std::memcpy(&leaf0.ebx, vendor.data(), 4);
    std::memcpy(&leaf0.edx, vendor.data() + 4, 4);
    std::memcpy(&leaf0.ecx, vendor.data() + 8, 4);
    leaves_[0] = leaf0;
    leaves_[0x80000000] = {highestExtendedLeaf, 0, 0, 0};
    // Real processors answer an unsupported leaf with some other leaf's data, never a fault.
    leaves_[0x80000001] = {0, 0, 0, extendedEdx};
  }

  bool available() const override { return available_; }
  CpuidRegisters query(uint32_t leaf) const override {
    EXPECT_TRUE(available_) << "asked a processor without the instruction";
    const auto it = leaves_.find(leaf);
    return it == leaves_.end() ? CpuidRegisters{} : it->second;
  }

 private:
  bool available_;
  std::map<uint32_t, CpuidRegisters> leaves_;
};

struct Case {
  const char* name;
  bool available;
  const char* vendor;  // 12 characters
  uint32_t highestExtendedLeaf;
  uint32_t extendedEdx;
  bool expected;
};

void PrintTo(const Case& testCase, std::ostream* os) {
  *os << testCase.name;
}

class ProcessorTest : public testing::TestWithParam<Case> {};

TEST_P(ProcessorTest, Reports64BitsOnlyForKnownVendorsWithLongMode) {
  const Case& c = GetParam();
  const FakeCpuid cpuid(c.available, c.vendor, c.highestExtendedLeaf, c.extendedEdx);
  EXPECT_EQ(processorReports64Bit(cpuid), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProcessorTest,
    testing::Values(
        Case{"Intel64", true, "GenuineIntel", 0x80000008, kLongModeBit, true},
        Case{"Amd64", true, "AuthenticAMD", 0x8000001f, kLongModeBit | 0x1, true},
        Case{"HighestLeafJustEnough", true, "GenuineIntel", 0x80000001, kLongModeBit, true},
        Case{"OnlyBit29Counts", true, "AuthenticAMD", 0x80000008, ~kLongModeBit, false},
        Case{"Intel32", true, "GenuineIntel", 0x80000008, 0, false},
        Case{"NoExtendedFeaturesLeaf", true, "GenuineIntel", 0x80000000, kLongModeBit, false},
        Case{"NoExtendedLeaves", true, "AuthenticAMD", 0x00000016, kLongModeBit, false},
        Case{"OtherVendor", true, "CentaurHauls", 0x80000008, kLongModeBit, false},
        Case{"LowerCaseVendor", true, "genuineintel", 0x80000008, kLongModeBit, false},
        Case{"NearlyMatchingVendor", true, "AuthenticAMX", 0x80000008, kLongModeBit, false},
        Case{"NoCpuidInstruction", false, "GenuineIntel", 0x80000008, kLongModeBit, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessorTest, ThisMachinesProcessorAgreesWithItsVendor) {
  const ProcessorCpuid cpuid;
#if defined(__x86_64__)
  ASSERT_TRUE(cpuid.available());
  const CpuidRegisters leaf0 = cpuid.query(0);
  char text[12];
  std::memcpy(text, &leaf0.ebx, 4);
  std::memcpy(text + 4, &leaf0.edx, 4);
  std::memcpy(text + 8, &leaf0.ecx, 4);
  const std::string vendor(text, sizeof text);
  // Every x86-64 processor has long mode; only the vendor decides whether it is asked.
  EXPECT_EQ(processorReports64Bit(cpuid), vendor == "GenuineIntel" || vendor == "AuthenticAMD")
      << vendor;
#else
  EXPECT_FALSE(processorReports64Bit(cpuid));
#endif
}

}  // namespace
}  // namespace orvanta
