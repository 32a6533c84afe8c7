#include "base/exception_text.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(ComPontoFinal, AppendsADotOnlyAfterACharacterAboveTheDot) {
  const struct {
    const char* mensagem;
    const char* esperado;
  } casos[] = {
      {"Class not registered", "Class not registered."},
      {"Fim.", "Fim."},
      {"Fim!", "Fim!"},             // '!' is below '.'
      {"Fim-", "Fim-"},             // '-' is below '.'
      {"Versão 2/", "Versão 2/."},  // '/' is above '.'
      {"Erro 7", "Erro 7."},
      {"Ação", "Ação."},
      {"", ""},
  };
  for (const auto& c : casos) EXPECT_EQ(comPontoFinal(c.mensagem), c.esperado) << c.mensagem;
}

TEST(TextoErroInicio, FollowsTheApplicationErrorLayout) {
  EXPECT_EQ(textoErroInicio("EOleSysError", "Orvanta.exe", 0x4A2B3C, "Class not registered"),
            std::string("Exception EOleSysError in module Orvanta.exe at ") +
                (sizeof(void*) == 8 ? "00000000004A2B3C" : "004A2B3C") +
                ".\r\nClass not registered.\r\n");
}

}  // namespace
}  // namespace orvanta
