#include "update/barra_progresso.h"

#include <gtest/gtest.h>

#include <limits>

namespace orvanta {
namespace {

struct Caso {
  const char* nome;
  int64_t maximo;
  int64_t posicao;
  int maximoVisto;
  int posicaoVista;
};

void PrintTo(const Caso& caso, std::ostream* os) {
  *os << caso.nome;
}

class LimitesDaBarra : public testing::TestWithParam<Caso> {};

TEST_P(LimitesDaBarra, KeepsThePositionWithinTheRange) {
  const Caso& caso = GetParam();
  BarraProgresso barra;
  barra.setMax(caso.maximo);
  barra.setPosition(caso.posicao);
  EXPECT_EQ(barra.max(), caso.maximoVisto);
  EXPECT_EQ(barra.position(), caso.posicaoVista);
}

constexpr int kMaior = std::numeric_limits<int>::max();

INSTANTIATE_TEST_SUITE_P(Casos, LimitesDaBarra,
                         testing::Values(Caso{"DentroDoIntervalo", 1000, 400, 1000, 400},
                                         Caso{"AlemDoMaximo", 1000, 1500, 1000, 1000},
                                         Caso{"MaximoZeroPrendeEmZero", 0, 4096, 0, 0},
                                         Caso{"PosicaoNegativa", 1000, -5, 1000, 0},
                                         Caso{"MaximoNegativoContaComoZero", -1, 10, 0, 0},
                                         Caso{"ValoresDeMaisDe32Bits", int64_t{1} << 40,
                                              int64_t{1} << 35, kMaior, kMaior}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(BarraProgresso, StartsAsARangeOfHundredAtZero) {
  BarraProgresso barra;
  EXPECT_EQ(barra.max(), 100);
  EXPECT_EQ(barra.position(), 0);
  barra.setPosition(100);
  EXPECT_EQ(barra.position(), 100);
}

TEST(BarraProgresso, LoweringTheMaximumPullsThePositionDown) {
  BarraProgresso barra;
  int mudancas = 0;
  barra.onChange = [&] { ++mudancas; };
  barra.setPosition(80);
  barra.setMax(0);
  EXPECT_EQ(barra.position(), 0);
  barra.setMax(50);
  EXPECT_EQ(barra.position(), 0) << "a wider range does not bring the old position back";
  EXPECT_EQ(mudancas, 3);
}

}  // namespace
}  // namespace orvanta
