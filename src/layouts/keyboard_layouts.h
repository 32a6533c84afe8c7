// The layouts the program carries, read once at start; the on-screen keyboard picks from them.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "layouts/virtual_key_layout.h"

namespace orvanta {

class TKeyboardLayouts {
 public:
  // Reads one stored layout and appends it; on KeyboardLayoutError nothing is appended.
  const TVirtualKeyLayout& LoadFromStream(std::span<const unsigned char> data);

  // Last layout to first: the first of `type` that serves exactly `language`.
  const TVirtualKeyLayout* findLayout(std::string_view type, std::string_view language) const;
  // First layout to last: the first of `type`.
  const TVirtualKeyLayout* findLayout(std::string_view type) const;

  const std::vector<TVirtualKeyLayout>& layouts() const { return layouts_; }
  void clear() { layouts_.clear(); }

 private:
  std::vector<TVirtualKeyLayout> layouts_;
};

// The process-wide registry, filled at start.
TKeyboardLayouts& keyboardLayouts();

// The keyboard's choice for an input language tag: the exact tag, then the tag up to its
// first "-", then the type alone. None when no layout has the type.
const TVirtualKeyLayout* chooseLayout(const TKeyboardLayouts& layouts, std::string_view type,
                                      std::string_view language);

}  // namespace orvanta
