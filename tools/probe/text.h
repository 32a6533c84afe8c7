// Text between the probe's UTF-8 lines and the wide strings of the Win32 API.
#pragma once

#include <string>

namespace probe {

std::string utf8(const std::wstring& text);
std::wstring wide(const std::string& text);
// A JSON string literal, quotes included.
std::string json(const std::wstring& text);

}  // namespace probe
