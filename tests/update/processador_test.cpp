#include "update/processador.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace orvanta {
namespace {

constexpr uint32_t kModoLongo = 1u << 29;

class CpuidFalso : public InstrucaoCpuid {
 public:
  CpuidFalso(bool disponivel, const std::string& fabricante, uint32_t maiorEstendida,
             uint32_t edxEstendido)
      : disponivel_(disponivel) {
    RegistrosCpuid folha0{0x16, 0, 0, 0};
    std::memcpy(&folha0.ebx, fabricante.data(), 4);
    std::memcpy(&folha0.edx, fabricante.data() + 4, 4);
    std::memcpy(&folha0.ecx, fabricante.data() + 8, 4);
    folhas_[0] = folha0;
    folhas_[0x80000000] = {maiorEstendida, 0, 0, 0};
    // Real processors answer an unsupported leaf with some other leaf's data, never a fault.
    folhas_[0x80000001] = {0, 0, 0, edxEstendido};
  }

  bool disponivel() const override { return disponivel_; }
  RegistrosCpuid consultar(uint32_t folha) const override {
    EXPECT_TRUE(disponivel_) << "asked a processor without the instruction";
    const auto it = folhas_.find(folha);
    return it == folhas_.end() ? RegistrosCpuid{} : it->second;
  }

 private:
  bool disponivel_;
  std::map<uint32_t, RegistrosCpuid> folhas_;
};

struct Caso {
  const char* nome;
  bool disponivel;
  const char* fabricante;  // 12 characters
  uint32_t maiorEstendida;
  uint32_t edxEstendido;
  bool esperado;
};

void PrintTo(const Caso& caso, std::ostream* os) {
  *os << caso.nome;
}

class TesteDoProcessador : public testing::TestWithParam<Caso> {};

TEST_P(TesteDoProcessador, Reports64BitsOnlyForKnownVendorsWithLongMode) {
  const Caso& c = GetParam();
  const CpuidFalso cpuid(c.disponivel, c.fabricante, c.maiorEstendida, c.edxEstendido);
  EXPECT_EQ(processadorReporta64Bits(cpuid), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, TesteDoProcessador,
    testing::Values(
        Caso{"Intel64", true, "GenuineIntel", 0x80000008, kModoLongo, true},
        Caso{"Amd64", true, "AuthenticAMD", 0x8000001f, kModoLongo | 0x1, true},
        Caso{"MaiorFolhaExata", true, "GenuineIntel", 0x80000001, kModoLongo, true},
        Caso{"SoOBit29Conta", true, "AuthenticAMD", 0x80000008, ~kModoLongo, false},
        Caso{"Intel32", true, "GenuineIntel", 0x80000008, 0, false},
        Caso{"SemFolhaEstendida", true, "GenuineIntel", 0x80000000, kModoLongo, false},
        Caso{"FolhaEstendidaAusente", true, "AuthenticAMD", 0x00000016, kModoLongo, false},
        Caso{"OutroFabricante", true, "CentaurHauls", 0x80000008, kModoLongo, false},
        Caso{"FabricanteEmMinusculas", true, "genuineintel", 0x80000008, kModoLongo, false},
        Caso{"FabricanteQuaseIgual", true, "AuthenticAMX", 0x80000008, kModoLongo, false},
        Caso{"SemInstrucao", false, "GenuineIntel", 0x80000008, kModoLongo, false}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(TesteDoProcessador, ThisMachinesProcessorAgreesWithItsVendor) {
  const CpuidDoProcessador cpuid;
#if defined(__x86_64__)
  ASSERT_TRUE(cpuid.disponivel());
  const RegistrosCpuid folha0 = cpuid.consultar(0);
  char texto[12];
  std::memcpy(texto, &folha0.ebx, 4);
  std::memcpy(texto + 4, &folha0.edx, 4);
  std::memcpy(texto + 8, &folha0.ecx, 4);
  const std::string fabricante(texto, sizeof texto);
  // Every x86-64 processor has long mode; only the vendor decides whether it is asked.
  EXPECT_EQ(processadorReporta64Bits(cpuid),
            fabricante == "GenuineIntel" || fabricante == "AuthenticAMD")
      << fabricante;
#else
  EXPECT_FALSE(processadorReporta64Bits(cpuid));
#endif
}

}  // namespace
}  // namespace orvanta
