#include "window_commands.h"

#include <commctrl.h>

#include <cwchar>
#include <vector>

#include "text.h"

namespace probe {

namespace {

std::wstring textOf(HWND h) {
  wchar_t buffer[4096];
  // WM_GETTEXT with a timeout, so a hung window cannot hang the probe.
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                           2000, &n))
    return {};
  return std::wstring(buffer, n);
}

std::wstring classOf(HWND h) {
  wchar_t buffer[256];
  const int n = GetClassNameW(h, buffer, 256);
  return std::wstring(buffer, static_cast<size_t>(n));
}

std::string flag(bool value) {
  return value ? "true" : "false";
}

// A progress bar's position and maximum, as extra fields; nothing for other controls.
std::string progressOf(HWND h) {
  if (_wcsicmp(classOf(h).c_str(), PROGRESS_CLASSW) != 0) return {};
  DWORD_PTR position = 0, maximum = 0;
  SendMessageTimeoutW(h, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000, &position);
  SendMessageTimeoutW(h, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 2000, &maximum);
  return ", \"position\": " + std::to_string(static_cast<int>(position)) +
         ", \"max\": " + std::to_string(static_cast<int>(maximum));
}

// The opacity of a layered window as an extra field; nothing for other windows.
std::string alphaOf(HWND h) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED) ||
      !GetLayeredWindowAttributes(h, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
    return {};
  return ", \"alpha\": " + std::to_string(alpha);
}

std::vector<HWND> topLevel() {
  std::vector<HWND> all;
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

std::vector<HWND> children(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

// Skips Wine's own hidden helper windows.
bool interesting(HWND h) {
  const std::wstring cls = classOf(h);
  return IsWindowVisible(h) ||
         (!textOf(h).empty() && cls != L"IME" && cls != L"OleMainThreadWndClass");
}

std::string describe(HWND h) {
  RECT r{}, c{};
  GetWindowRect(h, &r);
  GetClientRect(h, &c);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  std::string line =
      "{\"hwnd\": " + std::to_string(reinterpret_cast<uintptr_t>(h)) +
      ", \"pid\": " + std::to_string(pid) + ", \"caption\": " + json(textOf(h)) +
      ", \"class\": " + json(classOf(h)) + ", \"visible\": " + flag(IsWindowVisible(h)) +
      ", \"enabled\": " + flag(IsWindowEnabled(h)) + ", \"left\": " + std::to_string(r.left) +
      ", \"top\": " + std::to_string(r.top) + ", \"width\": " + std::to_string(r.right - r.left) +
      ", \"height\": " + std::to_string(r.bottom - r.top) +
      ", \"clientWidth\": " + std::to_string(c.right) +
      ", \"clientHeight\": " + std::to_string(c.bottom) + ", \"maximized\": " + flag(IsZoomed(h)) +
      ", \"children\": [";
  bool first = true;
  for (HWND child : children(h)) {
    if (!first) line += ", ";
    first = false;
    line += "{\"class\": " + json(classOf(child)) + ", \"text\": " + json(textOf(child)) +
            ", \"visible\": " + flag(IsWindowVisible(child)) +
            ", \"enabled\": " + flag(IsWindowEnabled(child)) + progressOf(child) + "}";
  }
  return line + "]" + alphaOf(h) + "}\n";
}

HWND findVisible(const std::wstring& caption) {
  for (HWND h : topLevel()) {
    if (IsWindowVisible(h) && textOf(h) == caption) return h;
  }
  return nullptr;
}

std::wstring withoutAmpersands(std::wstring text) {
  std::erase(text, L'&');
  return text;
}

}  // namespace

Answer listWindows() {
  Answer answer;
  for (HWND h : topLevel()) {
    if (interesting(h)) answer.out += describe(h);
  }
  return answer;
}

Answer waitFor(const std::wstring& caption, DWORD timeoutMs, bool present) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if ((findVisible(caption) != nullptr) == present) return {};
    if (GetTickCount64() >= end) return {1, {}, {}};
    Sleep(100);
  }
}

Answer press(const std::wstring& caption, const std::wstring& button) {
  // Every visible window of that caption: a program may show two at once (a window and its
  // message box, both named after the program).
  bool found = false;
  for (HWND window : topLevel()) {
    if (!IsWindowVisible(window) || textOf(window) != caption) continue;
    found = true;
    for (HWND child : children(window)) {
      if (withoutAmpersands(textOf(child)) != withoutAmpersands(button)) continue;
      const std::wstring kind = classOf(child);
      if (kind == L"Button") {
        const int id = GetDlgCtrlID(child);
        PostMessageW(GetParent(child), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(child));
        return {};
      }
      if (kind == L"OrvantaSpeedButton") {
        RECT r{};
        GetClientRect(child, &r);
        const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
        PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageW(child, WM_LBUTTONUP, 0, middle);
        return {};
      }
    }
  }
  if (!found) return failed(1, "no visible window \"" + utf8(caption) + "\"");
  return failed(1, "no button \"" + utf8(button) + "\"");
}

Answer close(const std::wstring& caption) {
  HWND window = findVisible(caption);
  if (!window) return failed(1, "no visible window \"" + utf8(caption) + "\"");
  PostMessageW(window, WM_CLOSE, 0, 0);
  return {};
}

}  // namespace probe
