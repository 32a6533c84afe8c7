// The text of a failed call on the remote desktop control.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// Drops trailing blanks, control characters and full stops.
std::string trimMessage(std::string_view text);

// The control's own description when it gives one, else the system's text for the code, else
// the usual name of a common COM failure, else "OLE error %.8x"; each trimmed.
std::string oleErrorMessage(std::string_view description, std::string_view systemText,
                            uint32_t code);

}  // namespace orvanta
