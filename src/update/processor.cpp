#include "update/processor.h"

#include <cstring>
#include <string_view>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace orvanta {
namespace {

constexpr uint32_t kVendorLeaf = 0;
constexpr uint32_t kHighestExtendedLeaf = 0x80000000;
constexpr uint32_t kExtendedFeaturesLeaf = 0x80000001;
constexpr uint32_t kLongModeBit = 1u << 29;

bool isKnownVendor(const CpuidRegisters& leaf0) {
  // The vendor text is spelled across EBX, EDX and ECX, in that order.
  char text[12];
  std::memcpy(text, &leaf0.ebx, 4);
  std::memcpy(text + 4, &leaf0.edx, 4);
  std::memcpy(text + 8, &leaf0.ecx, 4);
  const std::string_view vendor(text, sizeof text);
  return vendor == "GenuineIntel" || vendor == "AuthenticAMD";
}

}  // namespace

bool processorReports64Bit(const CpuidInstruction& cpuid) {
  if (!cpuid.available() || !isKnownVendor(cpuid.query(kVendorLeaf))) {
    return false;
  }
  if (cpuid.query(kHighestExtendedLeaf).eax < kExtendedFeaturesLeaf) return false;
  return (cpuid.query(kExtendedFeaturesLeaf).edx & kLongModeBit) != 0;
}

#if defined(__x86_64__) || defined(__i386__)

bool ProcessorCpuid::available() const {
  return __get_cpuid_max(0, nullptr) != 0;
}

CpuidRegisters ProcessorCpuid::query(uint32_t leaf) const {
  CpuidRegisters r;
  __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
  return r;
}

#else

bool ProcessorCpuid::available() const {
  return false;
}

CpuidRegisters ProcessorCpuid::query(uint32_t) const {
  return {};
}

#endif

}  // namespace orvanta
