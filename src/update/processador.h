// Whether the processor itself reports 64-bit capability. The operating system is not asked,
// so a 64-bit processor running a 32-bit system still counts as 64-bit.
#pragma once

#include <cstdint>

namespace orvanta {

struct RegistrosCpuid {
  uint32_t eax = 0;
  uint32_t ebx = 0;
  uint32_t ecx = 0;
  uint32_t edx = 0;
};

// The processor identification instruction.
class InstrucaoCpuid {
 public:
  virtual ~InstrucaoCpuid() = default;
  virtual bool disponivel() const = 0;
  virtual RegistrosCpuid consultar(uint32_t folha) const = 0;
};

// The instruction of the processor this program runs on.
class CpuidDoProcessador : public InstrucaoCpuid {
 public:
  bool disponivel() const override;
  RegistrosCpuid consultar(uint32_t folha) const override;
};

// Only "GenuineIntel" and "AuthenticAMD" processors are asked for the long-mode flag.
bool processadorReporta64Bits(const InstrucaoCpuid& cpuid);

}  // namespace orvanta
