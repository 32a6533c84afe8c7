// UTF-8 (the core's text) to UTF-16 (the Win32 API's text) and back.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanta {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// A window's or control's text (caption), UTF-8.
std::string windowText(HWND window);
void setWindowText(HWND window, std::string_view utf8);

}  // namespace orvanta
