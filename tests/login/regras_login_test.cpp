#include <gtest/gtest.h>

#include "base/exception.h"
#include "login/remover_numeros.h"
#include "login/resposta_login.h"
#include "login/seletor_site.h"
#include "login/versao.h"

namespace orvanta {
namespace {

TEST(RemoverNumeros, DropsEveryDigitWherever) {
  const std::pair<const char*, const char*> casos[] = {
      {"abc12def", "abcdef"}, {"123abc", "abc"},      {"abc999", "abc"}, {"a1b22c333", "abc"},
      {"0123456789", ""},     {"tamberi", "tamberi"}, {"", ""},          {"joão7", "joão"},
  };
  for (const auto& [entrada, esperado] : casos) {
    EXPECT_EQ(RemoverNumeros(entrada), esperado) << entrada;
  }
}

TEST(SeletorSite, ShowsOnlyForTheSplitAccount) {
  EXPECT_TRUE(SeletorSiteVisivel("tamberi"));
  EXPECT_TRUE(SeletorSiteVisivel("tamberi2"));
  EXPECT_TRUE(SeletorSiteVisivel("ta1mberi"));
  EXPECT_FALSE(SeletorSiteVisivel("Tamberi"));
  EXPECT_FALSE(SeletorSiteVisivel("tamberi "));
  EXPECT_FALSE(SeletorSiteVisivel("tamberix"));
  EXPECT_FALSE(SeletorSiteVisivel(""));
}

TEST(VersaoPublicada, ComparedWholeAfterDroppingLineBreaks) {
  const std::pair<const char*, bool> casos[] = {
      {"2.0", false}, {"2.0\r\n", false}, {"\n2.0\n", false}, {"2.\r0", false}, {"2.0 ", true},
      {"2.1", true},  {"", true},         {"2.00", true},     {" 2.0", true},
  };
  for (const auto& [publicada, diferente] : casos) {
    EXPECT_EQ(VersaoPublicadaDiferente(publicada), diferente) << '"' << publicada << '"';
  }
}

TEST(DividirResposta, SplitsAtTheFirstSemicolon) {
  struct Caso {
    const char* resposta;
    const char* servidor;
    const char* porta;
    bool encontrada;
  };
  const Caso casos[] = {
      {"srv01;3389", "srv01", "3389", true},
      {"srv01;", "srv01", "", false},
      {";3389", "", "3389", false},
      {"srv01", "", "", false},
      {"a;b;c", "a", "b;c", true},
      {"", "", "", false},
      {"srv01;3389\r\n", "srv01", "3389\r\n", true},
  };
  for (const auto& c : casos) {
    const RespostaLogin r = DividirResposta(c.resposta);
    EXPECT_EQ(r.servidor, c.servidor) << c.resposta;
    EXPECT_EQ(r.textoPorta, c.porta) << c.resposta;
    EXPECT_EQ(r.contaEncontrada(), c.encontrada) << c.resposta;
  }
}

TEST(ConverterPorta, AcceptsTheIntegerForms) {
  const std::pair<const char*, int32_t> casos[] = {
      {"3389", 3389},
      {" 3389", 3389},
      {"   3389", 3389},
      {"+3389", 3389},
      {"-1", -1},
      {"$D3D", 3389},
      {"$d3d", 3389},
      {"x1F", 31},
      {"X1F", 31},
      {"0x1F", 31},
      {"-$10", -16},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$7FFFFFFF", INT32_MAX},
      {"$FFFFFFFF", -1},
  };
  for (const auto& [texto, valor] : casos) {
    EXPECT_EQ(ConverterPorta(texto), valor) << '"' << texto << '"';
  }
}

TEST(ConverterPorta, RejectsEverythingElse) {
  const char* casos[] = {
      "33x9",  "b;c",    "3389 ",      "3389\r\n",    "3389\n",     "",
      " ",     "+",      "-",          "+-1",         "$",          "0x",
      "0X1F",  "\t3389", "2147483648", "-2147483649", "$100000000", "99999999999999999999",
      "3 389", "$G",     "1e3",        "３３８９",
  };
  for (const char* texto : casos) {
    EXPECT_THROW(ConverterPorta(texto), Excecao) << '"' << texto << '"';
  }
}

}  // namespace
}  // namespace orvanta
