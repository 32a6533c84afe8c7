// The shipped layouts' bytes, by resource name.
#pragma once

#include <span>
#include <stdexcept>
#include <string_view>

#include "resources/keyboard_layouts_data.h"

namespace orvanta::test {

inline std::span<const unsigned char> layoutBytes(std::string_view name) {
  for (const LayoutResource& r : embeddedLayoutResources()) {
    if (r.name == name) return r.data;
  }
  throw std::logic_error("no shipped layout named " + std::string(name));
}

}  // namespace orvanta::test
