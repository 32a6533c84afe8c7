// The platform's own text for a system error or HRESULT.
#pragma once

#include <windows.h>

#include <string>

namespace orvanta {

// FormatMessage's text for `code` without its trailing line break; empty when the system has
// none.
std::string systemErrorText(DWORD code);

}  // namespace orvanta
