// The fixed texts of the two help windows, lines joined by the line break a multi-line text
// field shows ("\r\n"). A few lines end with a blank on purpose; keep them.
#pragma once

#include <string>

namespace orvanta {

std::string transferHelpText();
std::string printingHelpText();

}  // namespace orvanta
