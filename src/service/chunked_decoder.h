// The chunked transfer coding.
#pragma once

#include <cstdint>
#include <functional>

#include "service/response_body.h"

namespace orvanta {

// Decodes chunks until the last one and its trailers. `countBytes` receives the number of bytes
// consumed each time (chunk-size lines with their line ends included, data pieces).
void decodeChunked(ResponseReader& reader, HttpResponse& response, BodyDestination& destination,
                   const std::function<void(int64_t)>& countBytes);

}  // namespace orvanta
