// The site selector only matters for the one account that is split across sites.
#pragma once

#include <string_view>

namespace orvanta {

inline constexpr std::string_view kMultiSiteAccount = "tamberi";
inline constexpr std::string_view kSiteSuffix = "_ruruvudud";
inline constexpr int kSuffixedSiteIndex = 0;

// Whether RadioGroup1 shows once the account field holds this text.
bool showsSiteSelector(std::string_view accountText);

}  // namespace orvanta
