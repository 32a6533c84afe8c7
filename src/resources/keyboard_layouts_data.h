// The shipped keyboard layouts as bytes, for code that cannot use the program's resources.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orvanta {

struct LayoutResource {
  std::string_view name;  // resource name, e.g. "STANDARD101KEYBOARD"
  std::span<const unsigned char> data;
};

// In resource-name order, the same bytes the program embeds as RCDATA.
const std::vector<LayoutResource>& embeddedLayoutResources();

}  // namespace orvanta
