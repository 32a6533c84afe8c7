#include "session/virtual_key_layout.h"

#include <algorithm>
#include <cstddef>

namespace orvanta {
namespace {

void AcrescentarUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Reads front to back and never past the end of the data.
class Leitor {
 public:
  explicit Leitor(std::span<const unsigned char> dados) : dados_(dados) {}

  bool fim() const { return pos_ == dados_.size(); }

  uint8_t u8() { return *pegar(1); }

  uint16_t u16() {
    const unsigned char* p = pegar(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
  }

  int16_t i16() { return static_cast<int16_t>(u16()); }

  // A byte count, then UTF-16LE; kept as UTF-8. Unpaired surrogates become U+FFFD.
  std::string texto() {
    const size_t bytes = u8();
    if (bytes % 2 != 0) throw ErroLayoutTeclado("keyboard layout: odd string length");
    const unsigned char* p = pegar(bytes);
    std::string out;
    for (size_t i = 0; i < bytes; i += 2) {
      uint32_t c = p[i] | (p[i + 1] << 8);
      if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes) {
        const uint32_t baixo = p[i + 2] | (p[i + 3] << 8);
        if (baixo >= 0xDC00 && baixo < 0xE000) {
          c = 0x10000 + ((c - 0xD800) << 10) + (baixo - 0xDC00);
          i += 2;
        }
      }
      AcrescentarUtf8(out, c >= 0xD800 && c < 0xE000 ? 0xFFFD : c);
    }
    return out;
  }

 private:
  const unsigned char* pegar(size_t n) {
    if (dados_.size() - pos_ < n) throw ErroLayoutTeclado("keyboard layout: data ends early");
    const unsigned char* p = dados_.data() + pos_;
    pos_ += n;
    return p;
  }

  std::span<const unsigned char> dados_;
  size_t pos_ = 0;
};

std::vector<TKeyData> LerCombo(Leitor& l) {
  std::vector<TKeyData> combo;
  for (uint16_t n = l.u16(); n > 0; --n) {
    TKeyData k;
    k.Vk = l.i16();
    k.ScanCode = l.i16();
    combo.push_back(k);
  }
  return combo;
}

// Later entries in the data take precedence: searches run from the first element, so these
// lists are kept in reverse stored order.
template <typename T, typename F>
std::vector<T> LerInvertido(Leitor& l, F lerUm) {
  std::vector<T> lista;
  for (uint16_t n = l.u16(); n > 0; --n) lista.push_back(lerUm(l));
  std::reverse(lista.begin(), lista.end());
  return lista;
}

TKeyLanguage LerVariante(Leitor& l) {
  TKeyLanguage v;
  v.Caption = l.texto();
  v.Vk = l.i16();
  v.ScanCode = l.i16();
  v.KeyImage = l.u8();
  v.Language = l.texto();
  return v;
}

TKeyModifier LerModificador(Leitor& l) {
  TKeyModifier m;
  m.Caption = l.texto();
  m.Vk = l.i16();
  m.ScanCode = l.i16();
  m.KeyImage = l.u8();
  m.ModifierName = l.texto();
  m.FontSize = l.u16();
  m.Language = l.texto();
  m.Languages = LerInvertido<TKeyLanguage>(l, LerVariante);
  return m;
}

TKeyLanguage LerIdioma(Leitor& l) {
  TKeyLanguage g;
  g.Caption = l.texto();
  g.Vk = l.i16();
  g.ScanCode = l.i16();
  g.ComboKeys = LerCombo(l);
  g.KeyImage = l.u8();
  g.Language = l.texto();
  return g;
}

TVirtualKey LerTecla(Leitor& l) {
  TVirtualKey k;
  k.Caption = l.texto();
  k.KeyImage = l.u8();
  k.Vk = l.i16();
  k.ScanCode = l.i16();
  k.ComboKeys = LerCombo(l);
  k.Width = l.u16();
  k.Height = l.u16();
  k.LeftMargin = l.u8();
  k.RightMargin = l.u8();
  k.Flags = l.u8();
  k.GroupIndex = l.u16();
  k.ModifierName = l.texto();
  k.PublishedName = l.texto();
  k.FontSize = l.u16();
  k.Modifiers = LerInvertido<TKeyModifier>(l, LerModificador);
  k.Languages = LerInvertido<TKeyLanguage>(l, LerIdioma);
  return k;
}

}  // namespace

TVirtualKeyLayout TVirtualKeyLayout::Ler(std::span<const unsigned char> dados) {
  if (dados.size() > TamanhoMaximo) throw ErroLayoutTeclado("keyboard layout: data too large");
  Leitor l(dados);
  TVirtualKeyLayout layout;
  if (l.u8() != 1) return layout;
  layout.KeyboardName = l.texto();
  layout.KeyboardType = l.texto();
  layout.Width = l.u16();
  layout.Height = l.u16();
  layout.MinWidth = l.u16();
  layout.MinHeight = l.u16();
  layout.MaxWidth = l.u16();
  layout.MaxHeight = l.u16();
  layout.RowHeight = l.u16();
  for (uint16_t n = l.u16(); n > 0; --n) {
    TKeyboardLanguage g;
    g.Language = l.texto();
    g.Name = l.texto();
    layout.Languages.push_back(std::move(g));
  }
  for (uint16_t n = l.u16(); n > 0; --n) {
    TVirtualKeys row;
    row.TopMargin = l.u8();
    row.BottomMargin = l.u8();
    for (uint16_t k = l.u16(); k > 0; --k) row.Keys.push_back(LerTecla(l));
    layout.Keys.push_back(std::move(row));
  }
  if (!l.fim()) throw ErroLayoutTeclado("keyboard layout: bytes after the layout");
  return layout;
}

}  // namespace orvanta
