// Account names may carry digits the service does not know about.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The text with every decimal digit removed.
std::string RemoverNumeros(std::string_view text);

}  // namespace orvanta
