// The store listing as the service sends it: the names of the waiting documents.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// Every "<br>" (any letter case) ends a line, as do CR, LF and CR LF; LF followed by CR is two
// line ends, and a line end at the very end adds no empty line. Lines are taken whole.
std::vector<std::string> splitStoreListing(std::string_view reply);

}  // namespace orvanta
