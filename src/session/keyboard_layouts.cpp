#include "session/keyboard_layouts.h"

#include <algorithm>

namespace orvanta {

const TVirtualKeyLayout& TKeyboardLayouts::LoadFromStream(std::span<const unsigned char> dados) {
  layouts_.push_back(TVirtualKeyLayout::Ler(dados));
  return layouts_.back();
}

const TVirtualKeyLayout* TKeyboardLayouts::FindLayout(std::string_view tipo,
                                                      std::string_view idioma) const {
  for (auto it = layouts_.rbegin(); it != layouts_.rend(); ++it) {
    if (it->KeyboardType != tipo) continue;
    const bool serve =
        std::any_of(it->Languages.begin(), it->Languages.end(),
                    [&](const TKeyboardLanguage& g) { return g.Language == idioma; });
    if (serve) return &*it;
  }
  return nullptr;
}

const TVirtualKeyLayout* TKeyboardLayouts::FindLayout(std::string_view tipo) const {
  for (const TVirtualKeyLayout& l : layouts_) {
    if (l.KeyboardType == tipo) return &l;
  }
  return nullptr;
}

TKeyboardLayouts& KeyboardLayouts() {
  static TKeyboardLayouts registro;
  return registro;
}

const TVirtualKeyLayout* EscolherLayout(const TKeyboardLayouts& layouts, std::string_view tipo,
                                        std::string_view idioma) {
  if (const TVirtualKeyLayout* l = layouts.FindLayout(tipo, idioma)) return l;
  const size_t traco = idioma.find('-');
  if (traco != std::string_view::npos) {
    if (const TVirtualKeyLayout* l = layouts.FindLayout(tipo, idioma.substr(0, traco))) return l;
  }
  return layouts.FindLayout(tipo);
}

}  // namespace orvanta
