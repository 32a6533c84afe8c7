// The client's own version and the rule that decides whether a published one is newer.
#pragma once

#include <string_view>

namespace orvanta {

inline constexpr std::string_view VersaoCliente = "2.0";

// The published text with its line breaks dropped must equal VersaoCliente exactly;
// anything else (an empty reply included) asks for the update.
bool publishedVersionDiffers(std::string_view published);

}  // namespace orvanta
