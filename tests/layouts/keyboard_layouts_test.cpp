#include "session/keyboard_layouts.h"

#include <gtest/gtest.h>

#include <vector>

#include "layouts/shipped_layouts.h"

namespace orvanta {
namespace {

using testing::BytesDoLayout;

// The registry as the program fills it at start: every shipped layout, in resource order.
class KeyboardLayoutsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const RecursoLayout& r : RecursosLayoutEmbutidos()) registro.LoadFromStream(r.dados);
  }

  std::string Nome(const TVirtualKeyLayout* l) { return l ? l->KeyboardName : "(none)"; }

  TKeyboardLayouts registro;
};

TEST_F(KeyboardLayoutsTest, HoldsTheShippedLayoutsInResourceOrder) {
  std::vector<std::string> nomes;
  for (const TVirtualKeyLayout& l : registro.layouts()) nomes.push_back(l.KeyboardName);
  EXPECT_EQ(nomes,
            (std::vector<std::string>{"NumPad", "Standard101", "Standard102", "Standard106"}));
}

TEST_F(KeyboardLayoutsTest, KeyboardChoiceForInputLanguages) {
  struct Caso {
    const char* idioma;
    const char* layout;
  };
  const Caso casos[] = {
      {"pt-BR", "Standard102"}, {"pt-PT", "Standard102"}, {"en-US", "Standard101"},
      {"en-GB", "Standard102"}, {"de-DE", "Standard102"}, {"fr-FR", "Standard102"},
      {"es-ES", "Standard102"}, {"es-US", "Standard102"}, {"es-MX", "Standard101"},
      {"ja-JP", "Standard106"}, {"zh-CN", "Standard101"}, {"", "Standard101"},
      {"PT-BR", "Standard101"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(Nome(EscolherLayout(registro, "Standard", c.idioma)), c.layout) << c.idioma;
  }
  EXPECT_EQ(Nome(EscolherLayout(registro, "NumPad", "pt-BR")), "NumPad");
  EXPECT_EQ(EscolherLayout(registro, "Compact", "pt-BR"), nullptr);
}

TEST_F(KeyboardLayoutsTest, LookupsAreExactAndRunInOppositeDirections) {
  EXPECT_EQ(registro.FindLayout("Standard", "pt-BR"), nullptr);
  EXPECT_EQ(Nome(registro.FindLayout("Standard", "pt")), "Standard102");
  EXPECT_EQ(registro.FindLayout("standard", "pt"), nullptr);
  EXPECT_EQ(registro.FindLayout("Standard", "PT"), nullptr);
  EXPECT_EQ(Nome(registro.FindLayout("NumPad")), "NumPad");
  EXPECT_EQ(Nome(registro.FindLayout("Standard")), "Standard101");
  EXPECT_EQ(registro.FindLayout("Standar"), nullptr);

  // A second copy of Standard102 wins the language lookup (last to first) but not the type
  // lookup (first to last).
  const TVirtualKeyLayout& copia = registro.LoadFromStream(BytesDoLayout("STANDARD102KEYBOARD"));
  EXPECT_EQ(registro.FindLayout("Standard", "pt"), &copia);
  EXPECT_EQ(registro.FindLayout("Standard"), &registro.layouts()[1]);
}

TEST_F(KeyboardLayoutsTest, AnEmptyLayoutStaysButIsNeverChosen) {
  std::vector<unsigned char> outraVersao(BytesDoLayout("STANDARD101KEYBOARD").begin(),
                                         BytesDoLayout("STANDARD101KEYBOARD").end());
  outraVersao[0] = 2;
  TKeyboardLayouts so;
  so.LoadFromStream(outraVersao);
  ASSERT_EQ(so.layouts().size(), 1u);
  EXPECT_EQ(so.FindLayout("Standard"), nullptr);
  EXPECT_EQ(EscolherLayout(so, "Standard", "en-US"), nullptr);
}

TEST_F(KeyboardLayoutsTest, ABrokenLayoutIsNotAppended) {
  std::span<const unsigned char> dados = BytesDoLayout("STANDARD106KEYBOARD");
  std::vector<unsigned char> cortado(dados.begin(), dados.end() - 1);
  EXPECT_THROW(registro.LoadFromStream(cortado), ErroLayoutTeclado);
  EXPECT_EQ(registro.layouts().size(), 4u);
}

}  // namespace
}  // namespace orvanta
