// The top-level windows of the prefix, looked at and driven.
#pragma once

#include <windows.h>

#include <string>

#include "answer.h"

namespace probe {

// One JSON object per line for every top-level window, with its controls.
Answer listWindows();
// Code 0 once a visible window of that caption is shown (present) or gone, 1 on time-out.
Answer waitFor(const std::wstring& caption, DWORD timeoutMs, bool present);
Answer press(const std::wstring& caption, const std::wstring& button);
Answer close(const std::wstring& caption);

}  // namespace probe
