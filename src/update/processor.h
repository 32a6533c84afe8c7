// Whether the processor itself reports 64-bit capability. The operating system is not asked,
// so a 64-bit processor running a 32-bit system still counts as 64-bit.
#pragma once

#include <cstdint>

namespace orvanta {

struct CpuidRegisters {
  uint32_t eax = 0;
  uint32_t ebx = 0;
  uint32_t ecx = 0;
  uint32_t edx = 0;
};

// The processor identification instruction.
class CpuidInstruction {
 public:
  virtual ~CpuidInstruction() = default;
  virtual bool available() const = 0;
  virtual CpuidRegisters query(uint32_t leaf) const = 0;
};

// The instruction of the processor this program runs on.
class ProcessorCpuid : public CpuidInstruction {
 public:
  bool available() const override;
  CpuidRegisters query(uint32_t leaf) const override;
};

// Only "GenuineIntel" and "AuthenticAMD" processors are asked for the long-mode flag.
bool processorReports64Bit(const CpuidInstruction& cpuid);

}  // namespace orvanta
