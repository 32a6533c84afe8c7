// Registry values of the prefix read and written with the Win32 registry API, in the 64-bit
// view as Wine's reg.exe sees it. A key is named with its root ("HKCU\Software\..."); an empty
// value name is the key's default value.
#pragma once

#include <string>

#include "answer.h"

namespace probe {

// The value's data on one line (strings as they are, numbers in decimal, the rest in hex);
// code 1 when there is no such value.
Answer registryGet(const std::wstring& key, const std::wstring& value);
// Sets a string value, creating the key.
Answer registrySet(const std::wstring& key, const std::wstring& value, const std::wstring& data);
// Deletes a key with everything below it; code 1 when there is no such key.
Answer registryDeleteKey(const std::wstring& key);
// Deletes one value; code 1 when there is no such value.
Answer registryDeleteValue(const std::wstring& key, const std::wstring& value);

}  // namespace probe
