// Where a redirect answer sends the next request.
#pragma once

#include <string_view>

#include "service/http_url.h"

namespace orvanta {

// Resolves a Location value against the URL of the request that received it. It names another
// server only when it begins with a scheme and "://", or with "//". Otherwise "/" replaces the
// path, anything else is appended to the directory, ".." drops a segment, repeated "/" collapse.
HttpUrl resolveLocation(const HttpUrl& current, std::string_view location);

}  // namespace orvanta
