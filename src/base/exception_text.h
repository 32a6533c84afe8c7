// Texts of the boxes that report failures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// The message with a "." appended when its last character's code is above that of ".".
std::string withFinalDot(std::string_view message);

// The start-up failure text: "Exception <class> in module <module> at <address>.\r\n<message>\r\n",
// the message ended as withFinalDot does.
std::string startupErrorText(std::string_view className, std::string_view module,
                             std::uintptr_t address, std::string_view message);

}  // namespace orvanta
