#include "layouts/virtual_key_layout.h"

#include <algorithm>
#include <cstddef>

namespace orvanta {
namespace {

void appendUtf8(std::string& out, uint32_t c) {
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
class LayoutReader {
 public:
  explicit LayoutReader(std::span<const unsigned char> data) : data_(data) {}

  bool end() const { return pos_ == data_.size(); }

  uint8_t u8() { return *take(1); }

  uint16_t u16() {
    const unsigned char* p = take(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
  }

  int16_t i16() { return static_cast<int16_t>(u16()); }

  // A byte count, then UTF-16LE; kept as UTF-8. Unpaired surrogates become U+FFFD.
  std::string text() {
    const size_t bytes = u8();
    if (bytes % 2 != 0) throw KeyboardLayoutError("keyboard layout: odd string length");
    const unsigned char* p = take(bytes);
    std::string out;
    for (size_t i = 0; i < bytes; i += 2) {
      uint32_t c = p[i] | (p[i + 1] << 8);
      if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes) {
        const uint32_t low = p[i + 2] | (p[i + 3] << 8);
        if (low >= 0xDC00 && low < 0xE000) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          i += 2;
        }
      }
      appendUtf8(out, c >= 0xD800 && c < 0xE000 ? 0xFFFD : c);
    }
    return out;
  }

 private:
  const unsigned char* take(size_t n) {
    if (data_.size() - pos_ < n) throw KeyboardLayoutError("keyboard layout: data ends early");
    const unsigned char* p = data_.data() + pos_;
    pos_ += n;
    return p;
  }

  std::span<const unsigned char> data_;
  size_t pos_ = 0;
};

std::vector<TKeyData> readCombo(LayoutReader& l) {
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
std::vector<T> readReversed(LayoutReader& l, F readOne) {
  std::vector<T> list;
  for (uint16_t n = l.u16(); n > 0; --n) list.push_back(readOne(l));
  std::reverse(list.begin(), list.end());
  return list;
}

TKeyLanguage readVariant(LayoutReader& l) {
  TKeyLanguage v;
  v.Caption = l.text();
  v.Vk = l.i16();
  v.ScanCode = l.i16();
  v.KeyImage = l.u8();
  v.Language = l.text();
  return v;
}

TKeyModifier readModifier(LayoutReader& l) {
  TKeyModifier m;
  m.Caption = l.text();
  m.Vk = l.i16();
  m.ScanCode = l.i16();
  m.KeyImage = l.u8();
  m.ModifierName = l.text();
  m.FontSize = l.u16();
  m.Language = l.text();
  m.Languages = readReversed<TKeyLanguage>(l, readVariant);
  return m;
}

TKeyLanguage readLanguage(LayoutReader& l) {
  TKeyLanguage g;
  g.Caption = l.text();
  g.Vk = l.i16();
  g.ScanCode = l.i16();
  g.ComboKeys = readCombo(l);
  g.KeyImage = l.u8();
  g.Language = l.text();
  return g;
}

TVirtualKey readKey(LayoutReader& l) {
  TVirtualKey k;
  k.Caption = l.text();
  k.KeyImage = l.u8();
  k.Vk = l.i16();
  k.ScanCode = l.i16();
  k.ComboKeys = readCombo(l);
  k.Width = l.u16();
  k.Height = l.u16();
  k.LeftMargin = l.u8();
  k.RightMargin = l.u8();
  k.Flags = l.u8();
  k.GroupIndex = l.u16();
  k.ModifierName = l.text();
  k.PublishedName = l.text();
  k.FontSize = l.u16();
  k.Modifiers = readReversed<TKeyModifier>(l, readModifier);
  k.Languages = readReversed<TKeyLanguage>(l, readLanguage);
  return k;
}

}  // namespace

TVirtualKeyLayout TVirtualKeyLayout::read(std::span<const unsigned char> data) {
  if (data.size() > kMaxSize) throw KeyboardLayoutError("keyboard layout: data too large");
  LayoutReader l(data);
  TVirtualKeyLayout layout;
  if (l.u8() != 1) return layout;
  layout.KeyboardName = l.text();
  layout.KeyboardType = l.text();
  layout.Width = l.u16();
  layout.Height = l.u16();
  layout.MinWidth = l.u16();
  layout.MinHeight = l.u16();
  layout.MaxWidth = l.u16();
  layout.MaxHeight = l.u16();
  layout.RowHeight = l.u16();
  for (uint16_t n = l.u16(); n > 0; --n) {
    TKeyboardLanguage g;
    g.Language = l.text();
    g.Name = l.text();
    layout.Languages.push_back(std::move(g));
  }
  for (uint16_t n = l.u16(); n > 0; --n) {
    TVirtualKeys row;
    row.TopMargin = l.u8();
    row.BottomMargin = l.u8();
    for (uint16_t k = l.u16(); k > 0; --k) row.Keys.push_back(readKey(l));
    layout.Keys.push_back(std::move(row));
  }
  if (!l.end()) throw KeyboardLayoutError("keyboard layout: bytes after the layout");
  return layout;
}

}  // namespace orvanta
