#include "base/exception_text.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(WithFinalDotTest, AppendsADotOnlyAfterACharacterAboveTheDot) {
  const struct {
    const char* message;
    const char* expected;
  } cases[] = {
      {"Class not registered", "Class not registered."},
      {"Fim.", "Fim."},
      {"Fim!", "Fim!"},             // '!' is below '.'
      {"Fim-", "Fim-"},             // '-' is below '.'
      {"Versão 2/", "Versão 2/."},  // '/' is above '.'
      {"Erro 7", "Erro 7."},
      {"Ação", "Ação."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(withFinalDot(c.message), c.expected) << c.message;
}

TEST(StartupErrorTextTest, FollowsTheApplicationErrorLayout) {
  EXPECT_EQ(startupErrorText("EOleSysError", "Orvanta.exe", 0x4A2B3C, "Class not registered"),
            std::string("Exception EOleSysError in module Orvanta.exe at ") +
                (sizeof(void*) == 8 ? "00000000004A2B3C" : "004A2B3C") +
                ".\r\nClass not registered.\r\n");
}

}  // namespace
}  // namespace orvanta
