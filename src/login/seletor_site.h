// The site selector only matters for the one account that is split across sites.
#pragma once

#include <string_view>

namespace orvanta {

inline constexpr std::string_view ContaComSites = "tamberi";
inline constexpr std::string_view SufixoSite = "_ruruvudud";
inline constexpr int IndiceSiteComSufixo = 0;

// Whether RadioGroup1 shows once the account field holds this text.
bool SeletorSiteVisivel(std::string_view textoConta);

}  // namespace orvanta
