#include "session/virtual_key_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "layouts/shipped_layouts.h"

namespace orvanta {
namespace {

using testing::BytesDoLayout;

TVirtualKeyLayout Ler(std::string_view recurso) {
  return TVirtualKeyLayout::Ler(BytesDoLayout(recurso));
}

const TVirtualKey& TeclaPorScan(const TVirtualKeyLayout& l, int16_t sc) {
  for (const TVirtualKeys& row : l.Keys) {
    for (const TVirtualKey& k : row.Keys) {
      if (k.ScanCode == sc) return k;
    }
  }
  throw std::logic_error("no key with scan code " + std::to_string(sc));
}

const TVirtualKey& TeclaPublicada(const TVirtualKeyLayout& l, std::string_view pub) {
  for (const TVirtualKeys& row : l.Keys) {
    for (const TVirtualKey& k : row.Keys) {
      if (k.PublishedName == pub) return k;
    }
  }
  throw std::logic_error("no key published as " + std::string(pub));
}

// The keyboard's search: the first element whose language matches.
const TKeyLanguage* IdiomaDaTecla(const TVirtualKey& k, std::string_view idioma) {
  auto it = std::find_if(k.Languages.begin(), k.Languages.end(),
                         [&](const TKeyLanguage& g) { return g.Language == idioma; });
  return it == k.Languages.end() ? nullptr : &*it;
}

struct Esperado {
  const char* recurso;
  const char* nome;
  size_t bytes;
  std::vector<size_t> teclasPorLinha;
  std::vector<int> larguraPorLinha;
};

const std::vector<Esperado> kPadrao = {
    {"STANDARD101KEYBOARD", "Standard101", 3645, {15, 15, 13, 14, 8}, {766, 766, 766, 766, 766}},
    {"STANDARD102KEYBOARD", "Standard102", 5224, {15, 15, 13, 15, 8}, {766, 766, 766, 766, 766}},
    {"STANDARD106KEYBOARD", "Standard106", 2993, {16, 15, 13, 15, 11}, {802, 766, 766, 814, 776}},
};

TEST(VirtualKeyLayoutTest, ShippedStandardLayoutsReadToTheirExactEnd) {
  for (const Esperado& e : kPadrao) {
    SCOPED_TRACE(e.nome);
    std::span<const unsigned char> dados = BytesDoLayout(e.recurso);
    EXPECT_EQ(dados.size(), e.bytes);
    // Ler refuses data with bytes left over, so a successful read consumed all of it.
    TVirtualKeyLayout l = TVirtualKeyLayout::Ler(dados);
    EXPECT_EQ(l.KeyboardName, e.nome);
    EXPECT_EQ(l.KeyboardType, "Standard");
    EXPECT_EQ(std::vector<int>({l.Width, l.Height, l.MinWidth, l.MinHeight, l.MaxWidth, l.MaxHeight,
                                l.RowHeight}),
              std::vector<int>({848, 262, 550, 180, 0, 0, 48}));
    std::vector<size_t> teclas;
    std::vector<int> larguras;
    for (const TVirtualKeys& row : l.Keys) {
      teclas.push_back(row.Keys.size());
      larguras.push_back(std::accumulate(row.Keys.begin(), row.Keys.end(), 0,
                                         [](int s, const TVirtualKey& k) { return s + k.Width; }));
      EXPECT_EQ(row.Keys.front().LeftMargin, 0);
      EXPECT_EQ(row.Keys.back().RightMargin, 0);
    }
    EXPECT_EQ(teclas, e.teclasPorLinha);
    EXPECT_EQ(larguras, e.larguraPorLinha);
    EXPECT_EQ(l.Keys.front().TopMargin, 0);
    EXPECT_EQ(l.Keys.back().BottomMargin, 0);
  }
}

TEST(VirtualKeyLayoutTest, LaterEntriesComeFirstAfterReading) {
  TVirtualKeyLayout l102 = Ler("STANDARD102KEYBOARD");
  const TVirtualKey& digito2 = TeclaPorScan(l102, 3);
  ASSERT_EQ(digito2.Modifiers.size(), 4u);
  EXPECT_EQ(digito2.Modifiers.front().ModifierName, "fn");
  EXPECT_EQ(digito2.Modifiers.front().Caption, "F2");
  EXPECT_EQ(digito2.Modifiers.front().ScanCode, 60);
  EXPECT_EQ(digito2.Modifiers.front().FontSize, 10);
  EXPECT_EQ(digito2.Modifiers[1].Caption, "Ě");
  EXPECT_EQ(digito2.Modifiers.back().ModifierName, "caps");
  EXPECT_EQ(digito2.Modifiers.back().Language, "fr");
  EXPECT_EQ(digito2.Modifiers.back().ScanCode, 3);

  TVirtualKeyLayout l101 = Ler("STANDARD101KEYBOARD");
  const TVirtualKey& altDireito = TeclaPublicada(l101, "RightAlt");
  ASSERT_EQ(altDireito.Languages.size(), 3u);
  std::vector<std::string> ordem;
  for (const TKeyLanguage& g : altDireito.Languages) {
    ordem.push_back(g.Language);
    EXPECT_EQ(g.Caption, "AltGr");
    ASSERT_EQ(g.ComboKeys.size(), 2u);
    EXPECT_EQ(g.ComboKeys[0].Vk, 17);
    EXPECT_EQ(g.ComboKeys[0].ScanCode, 29);
    EXPECT_EQ(g.ComboKeys[1].Vk, 18);
    EXPECT_EQ(g.ComboKeys[1].ScanCode, 56);
  }
  EXPECT_EQ(ordem, (std::vector<std::string>{"ka", "sr", "es"}));
  // "lt" is stored before "hy", so "hy" is found first.
  EXPECT_EQ(TeclaPorScan(l101, 4).Modifiers[1].Language, "hy");
  EXPECT_EQ(TeclaPorScan(l101, 4).Modifiers[2].Language, "lt");
}

TEST(VirtualKeyLayoutTest, FixedCaptionsPerLanguage) {
  struct Caso {
    const char* recurso;
    const char* tecla;
    const char* idioma;
    const char* legenda;
  };
  const Caso casos[] = {
      {"STANDARD101KEYBOARD", "Caps", "es", "Bloq May"},
      {"STANDARD101KEYBOARD", "Del", "es", "Supr"},
      {"STANDARD102KEYBOARD", "Caps", "pt", "Maiú."},
      {"STANDARD102KEYBOARD", "Caps", "de", "Feststell"},
      {"STANDARD102KEYBOARD", "Caps", "fr", "Verr. maj"},
      {"STANDARD102KEYBOARD", "Caps", "it", "Bloc Maiusc"},
      {"STANDARD102KEYBOARD", "Del", "it", "Canc"},
      {"STANDARD102KEYBOARD", "LeftCtrl", "de", "Strg"},
      {"STANDARD102KEYBOARD", "RightAlt", "bg", "Alt"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.recurso) + " " + c.tecla + " " + c.idioma);
    const TVirtualKeyLayout l = Ler(c.recurso);
    const TKeyLanguage* g = IdiomaDaTecla(TeclaPublicada(l, c.tecla), c.idioma);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Caption, c.legenda);
  }
  TVirtualKeyLayout l102 = Ler("STANDARD102KEYBOARD");
  EXPECT_EQ(IdiomaDaTecla(TeclaPublicada(l102, "Caps"), "pt-BR"), nullptr);
  const TVirtualKey& altGr = TeclaPublicada(l102, "RightAlt");
  EXPECT_EQ(altGr.ModifierName, "altgr");
  EXPECT_EQ(altGr.ScanCode, -1);
  ASSERT_EQ(altGr.ComboKeys.size(), 2u);
  EXPECT_EQ(altGr.ComboKeys[0].Vk, 17);
  EXPECT_EQ(altGr.ComboKeys[1].Vk, 18);
  EXPECT_EQ(IdiomaDaTecla(altGr, "bg")->ScanCode, 56);
  EXPECT_TRUE(IdiomaDaTecla(altGr, "bg")->ComboKeys.empty());
}

TEST(VirtualKeyLayoutTest, JapaneseKeysKeepTheirText) {
  TVirtualKeyLayout l = Ler("STANDARD106KEYBOARD");
  EXPECT_EQ(TeclaPorScan(l, 41).Caption, "漢字");
  EXPECT_EQ(TeclaPorScan(l, 123).Caption, "無変換");
  EXPECT_EQ(l.Keys[4].Keys[5].Caption, "カナ");
  EXPECT_EQ(l.Keys[4].Keys[5].Vk, 21);
  EXPECT_EQ(TeclaPorScan(l, 125).Caption, "\\");
  EXPECT_EQ(TeclaPorScan(l, 125).Modifiers.back().Caption, "|");
  EXPECT_EQ(TeclaPorScan(l, 115).Caption, "\\");
  EXPECT_EQ(TeclaPorScan(l, 115).Modifiers.back().Caption, "_");
  const TVirtualKey& caps = TeclaPorScan(l, 58);
  EXPECT_TRUE(caps.has(TVirtualKeyFlag::kfStretch));
  EXPECT_TRUE(caps.has(TVirtualKeyFlag::kfToggle));
  EXPECT_FALSE(caps.has(TVirtualKeyFlag::kfRepeat));
}

TEST(VirtualKeyLayoutTest, NumPadHasSeventeenKeysWithTallPlusAndEnter) {
  TVirtualKeyLayout l = Ler("NUMPADKEYBOARD");
  EXPECT_EQ(l.KeyboardType, "NumPad");
  EXPECT_EQ(std::vector<int>({l.Width, l.Height, l.MinWidth, l.MinHeight}),
            std::vector<int>({190, 229, 180, 150}));
  ASSERT_EQ(l.Keys.size(), 5u);
  size_t total = 0;
  std::vector<const TVirtualKey*> altas;
  for (const TVirtualKeys& row : l.Keys) {
    total += row.Keys.size();
    for (const TVirtualKey& k : row.Keys) {
      EXPECT_EQ(k.ScanCode, -1);
      if (k.Height > l.RowHeight) altas.push_back(&k);
    }
  }
  EXPECT_EQ(total, 17u);
  ASSERT_EQ(altas.size(), 2u);
  EXPECT_EQ(altas[0]->Caption, "+");
  EXPECT_EQ(altas[1]->KeyImage, KeyImage::NumPadEnter);
}

// Hand-built stored data for cases the shipped layouts do not reach.
std::vector<unsigned char> Cabecalho(uint8_t versao, const std::vector<unsigned char>& nome) {
  std::vector<unsigned char> d;
  d.push_back(versao);
  d.push_back(static_cast<unsigned char>(nome.size()));
  for (unsigned char c : nome) d.push_back(c);
  // Empty type, seven sizes, no languages, no rows.
  d.resize(d.size() + 1 + 14 + 2 + 2, 0);
  return d;
}

TEST(VirtualKeyLayoutTest, OtherVersionGivesAnEmptyLayout) {
  for (uint8_t versao : {0, 2, 255}) {
    std::vector<unsigned char> d(BytesDoLayout("STANDARD101KEYBOARD").begin(),
                                 BytesDoLayout("STANDARD101KEYBOARD").end());
    d[0] = versao;
    TVirtualKeyLayout l = TVirtualKeyLayout::Ler(d);
    EXPECT_EQ(l.KeyboardName, "");
    EXPECT_EQ(l.KeyboardType, "");
    EXPECT_TRUE(l.Languages.empty());
    EXPECT_TRUE(l.Keys.empty());
    EXPECT_EQ(l.RowHeight, 48);
  }
}

TEST(VirtualKeyLayoutTest, SurrogatePairsBecomeOneCharacter) {
  TVirtualKeyLayout l = TVirtualKeyLayout::Ler(Cabecalho(1, {0x3D, 0xD8, 0x00, 0xDE, 0x41, 0x00}));
  EXPECT_EQ(l.KeyboardName,
            "\xF0\x9F\x98\x80"
            "A");
  l = TVirtualKeyLayout::Ler(Cabecalho(1, {0x3D, 0xD8}));
  EXPECT_EQ(l.KeyboardName, "\xEF\xBF\xBD");
}

TEST(VirtualKeyLayoutTest, MalformedDataIsRefused) {
  EXPECT_THROW(TVirtualKeyLayout::Ler(std::vector<unsigned char>{}), ErroLayoutTeclado);
  EXPECT_THROW(TVirtualKeyLayout::Ler(Cabecalho(1, {0x41})), ErroLayoutTeclado);  // odd length
  std::vector<unsigned char> sobra = Cabecalho(1, {0x41, 0});
  sobra.push_back(0);
  EXPECT_THROW(TVirtualKeyLayout::Ler(sobra), ErroLayoutTeclado);
  std::vector<unsigned char> enorme(TVirtualKeyLayout::TamanhoMaximo + 1, 0);
  enorme[0] = 1;
  EXPECT_THROW(TVirtualKeyLayout::Ler(enorme), ErroLayoutTeclado);
  // A count larger than the data behind it.
  std::vector<unsigned char> contagem = Cabecalho(1, {});
  contagem[contagem.size() - 2] = 0xFF;
  contagem[contagem.size() - 1] = 0xFF;
  EXPECT_THROW(TVirtualKeyLayout::Ler(contagem), ErroLayoutTeclado);
}

TEST(VirtualKeyLayoutTest, EveryTruncationOfTheShippedLayoutsIsRefused) {
  for (const RecursoLayout& r : RecursosLayoutEmbutidos()) {
    SCOPED_TRACE(std::string(r.nome));
    for (size_t n = 0; n < r.dados.size(); ++n) {
      // An exact-size copy, so reading past its end is caught by the address sanitizer.
      std::vector<unsigned char> prefixo(r.dados.begin(), r.dados.begin() + n);
      EXPECT_THROW(TVirtualKeyLayout::Ler(prefixo), ErroLayoutTeclado) << "prefix " << n;
    }
  }
}

}  // namespace
}  // namespace orvanta
