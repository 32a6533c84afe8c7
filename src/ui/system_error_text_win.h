// The platform's own text for a system error or HRESULT.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanta {

// FormatMessage's text for `code` without its trailing line break; empty when the system has
// none.
std::string systemErrorText(DWORD code);

// Throws Exception of `className` reading "<message>. <the system's text for code>".
[[noreturn]] void throwWithSystemText(std::string_view message, DWORD code,
                                      std::string className = "Exception");

}  // namespace orvanta
