// UTF-8 (the core's text) to UTF-16 (the Win32 API's text) and back.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace orvanta
