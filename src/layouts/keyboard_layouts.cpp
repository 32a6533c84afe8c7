#include "layouts/keyboard_layouts.h"

#include <algorithm>

namespace orvanta {

const TVirtualKeyLayout& TKeyboardLayouts::LoadFromStream(std::span<const unsigned char> data) {
  layouts_.push_back(TVirtualKeyLayout::read(data));
  return layouts_.back();
}

const TVirtualKeyLayout* TKeyboardLayouts::findLayout(std::string_view type,
                                                      std::string_view language) const {
  for (auto it = layouts_.rbegin(); it != layouts_.rend(); ++it) {
    if (it->KeyboardType != type) continue;
    const bool serve =
        std::any_of(it->Languages.begin(), it->Languages.end(),
                    [&](const TKeyboardLanguage& g) { return g.Language == language; });
    if (serve) return &*it;
  }
  return nullptr;
}

const TVirtualKeyLayout* TKeyboardLayouts::findLayout(std::string_view type) const {
  for (const TVirtualKeyLayout& l : layouts_) {
    if (l.KeyboardType == type) return &l;
  }
  return nullptr;
}

TKeyboardLayouts& keyboardLayouts() {
  static TKeyboardLayouts registry;
  return registry;
}

const TVirtualKeyLayout* chooseLayout(const TKeyboardLayouts& layouts, std::string_view type,
                                      std::string_view language) {
  if (const TVirtualKeyLayout* l = layouts.findLayout(type, language)) return l;
  const size_t dash = language.find('-');
  if (dash != std::string_view::npos) {
    if (const TVirtualKeyLayout* l = layouts.findLayout(type, language.substr(0, dash))) return l;
  }
  return layouts.findLayout(type);
}

}  // namespace orvanta
