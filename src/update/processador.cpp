#include "update/processador.h"

#include <cstring>
#include <string_view>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace orvanta {
namespace {

constexpr uint32_t kFolhaFabricante = 0;
constexpr uint32_t kMaiorFolhaEstendida = 0x80000000;
constexpr uint32_t kFolhaRecursosEstendidos = 0x80000001;
constexpr uint32_t kBitModoLongo = 1u << 29;

bool fabricanteConhecido(const RegistrosCpuid& folha0) {
  // The vendor text is spelled across EBX, EDX and ECX, in that order.
  char texto[12];
  std::memcpy(texto, &folha0.ebx, 4);
  std::memcpy(texto + 4, &folha0.edx, 4);
  std::memcpy(texto + 8, &folha0.ecx, 4);
  const std::string_view fabricante(texto, sizeof texto);
  return fabricante == "GenuineIntel" || fabricante == "AuthenticAMD";
}

}  // namespace

bool processadorReporta64Bits(const InstrucaoCpuid& cpuid) {
  if (!cpuid.disponivel() || !fabricanteConhecido(cpuid.consultar(kFolhaFabricante))) {
    return false;
  }
  if (cpuid.consultar(kMaiorFolhaEstendida).eax < kFolhaRecursosEstendidos) return false;
  return (cpuid.consultar(kFolhaRecursosEstendidos).edx & kBitModoLongo) != 0;
}

#if defined(__x86_64__) || defined(__i386__)

bool CpuidDoProcessador::disponivel() const {
  return __get_cpuid_max(0, nullptr) != 0;
}

RegistrosCpuid CpuidDoProcessador::consultar(uint32_t folha) const {
  RegistrosCpuid r;
  __cpuid(folha, r.eax, r.ebx, r.ecx, r.edx);
  return r;
}

#else

bool CpuidDoProcessador::disponivel() const {
  return false;
}

RegistrosCpuid CpuidDoProcessador::consultar(uint32_t) const {
  return {};
}

#endif

}  // namespace orvanta
