// The cookie-date algorithm of RFC 6265 section 5.1.1.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvanta {

// Seconds since 1970-01-01 UTC, or nothing when the text is not a valid cookie date.
std::optional<int64_t> parseCookieDate(std::string_view text);

}  // namespace orvanta
