#include "ui/key_injector_win.h"

#include <windows.h>

namespace orvanta {

void WinKeyInjector::inject(int virtualKey, int scanCode, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtualKey & 0xFF);
  input.ki.wScan = static_cast<WORD>(scanCode & 0xFF);
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

void WinKeyInjector::sendToFocus(int virtualKey, bool release) {
  const HWND focus = GetFocus();
  if (!focus) return;
  SendMessageW(focus, release ? WM_KEYUP : WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 0);
}

}  // namespace orvanta
