#include "session/mensagem_ole.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(MensagemOle, TrimsTrailingBlanksControlCharactersAndFullStops) {
  EXPECT_EQ(aparaMensagem("Access is denied. \r\n"), "Access is denied");
  EXPECT_EQ(aparaMensagem("v1.2 ok..\t"), "v1.2 ok");
  EXPECT_EQ(aparaMensagem(" . \r\n"), "");
  EXPECT_EQ(aparaMensagem("keeps. inner dots"), "keeps. inner dots");
}

TEST(MensagemOle, PrefersTheControlsDescriptionThenTheSystemTextThenTheCode) {
  struct Caso {
    const char* descricao;
    const char* sistema;
    uint32_t codigo;
    const char* esperado;
  };
  const Caso casos[] = {
      {"Refused. ", "Unspecified error.\r\n", 0x80004005u, "Refused"},
      {"", "Unspecified error.\r\n", 0x80004005u, "Unspecified error"},
      {" .\r\n", "", 0x80004005u, "OLE error 80004005"},
      {"", "", 0x80040154u, "Class not registered"},
      {"", "", 0x1u, "OLE error 00000001"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(mensagemErroOle(c.descricao, c.sistema, c.codigo), c.esperado) << c.descricao;
  }
}

}  // namespace
}  // namespace orvanta
