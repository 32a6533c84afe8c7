// Turning an answer body into UTF-8 text from its Content-Type.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The charset parameter; without one, "ISO-8859-1" for text/ types ("us-ascii" for XML text
// types); for XML types a byte-order mark or the XML declaration decides (and a BOM is skipped).
// Returns UTF-8.
std::string decodeText(std::string_view bytes, std::string_view contentType);

// Decodes `bytes` in a named charset (case ignored); an unknown name maps each byte to the
// character of the same code.
std::string toUtf8(std::string_view bytes, std::string_view charset);

}  // namespace orvanta
