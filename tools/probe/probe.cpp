// Looks at the windows of the Wine prefix it runs in, for end-to-end tests:
//   probe list                          one JSON object per top-level window, with its controls
//                                       (and "alpha", 0-255, for a translucent window)
//   probe wait CAPTION TIMEOUT_MS       exit 0 once a visible window has that caption, else 1
//   probe gone CAPTION TIMEOUT_MS       exit 0 once no visible window has that caption, else 1
//   probe press CAPTION BUTTON_TEXT     clicks the button of that window ("&" ignored); a
//                                       toolbar button of ours gets a mouse click at its middle
//   probe close CAPTION                 sends WM_CLOSE to the window
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

std::string json(const std::wstring& w) {
  std::string out = "\"";
  for (char c : utf8(w)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", c);
          out += esc;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

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

void list() {
  for (HWND h : topLevel()) {
    if (!interesting(h)) continue;
    RECT r{}, c{};
    GetWindowRect(h, &r);
    GetClientRect(h, &c);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    std::string line = "{\"hwnd\": " + std::to_string(reinterpret_cast<uintptr_t>(h)) +
                       ", \"pid\": " + std::to_string(pid) + ", \"caption\": " + json(textOf(h)) +
                       ", \"class\": " + json(classOf(h)) +
                       ", \"visible\": " + (IsWindowVisible(h) ? "true" : "false") +
                       ", \"enabled\": " + (IsWindowEnabled(h) ? "true" : "false") +
                       ", \"left\": " + std::to_string(r.left) +
                       ", \"top\": " + std::to_string(r.top) +
                       ", \"width\": " + std::to_string(r.right - r.left) +
                       ", \"height\": " + std::to_string(r.bottom - r.top) +
                       ", \"clientWidth\": " + std::to_string(c.right) +
                       ", \"clientHeight\": " + std::to_string(c.bottom) +
                       ", \"maximized\": " + (IsZoomed(h) ? "true" : "false") + ", \"children\": [";
    bool first = true;
    for (HWND child : children(h)) {
      if (!first) line += ", ";
      first = false;
      line += "{\"class\": " + json(classOf(child)) + ", \"text\": " + json(textOf(child)) +
              ", \"visible\": " + (IsWindowVisible(child) ? "true" : "false") +
              ", \"enabled\": " + (IsWindowEnabled(child) ? "true" : "false") + progressOf(child) +
              "}";
    }
    line += "]" + alphaOf(h) + "}\n";
    std::fputs(line.c_str(), stdout);
  }
}

HWND findVisible(const std::wstring& caption) {
  for (HWND h : topLevel()) {
    if (IsWindowVisible(h) && textOf(h) == caption) return h;
  }
  return nullptr;
}

bool waitFor(const std::wstring& caption, DWORD timeoutMs, bool present) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if ((findVisible(caption) != nullptr) == present) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(100);
  }
}

std::wstring withoutAmpersands(std::wstring text) {
  std::erase(text, L'&');
  return text;
}

int press(const std::wstring& caption, const std::wstring& button) {
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
        return 0;
      }
      if (kind == L"OrvantaSpeedButton") {
        RECT r{};
        GetClientRect(child, &r);
        const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
        PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageW(child, WM_LBUTTONUP, 0, middle);
        return 0;
      }
    }
  }
  if (!found) {
    std::fprintf(stderr, "no visible window \"%s\"\n", utf8(caption).c_str());
  } else {
    std::fprintf(stderr, "no button \"%s\"\n", utf8(button).c_str());
  }
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"list" && argc == 2) {
    list();
    return 0;
  }
  if ((command == L"wait" || command == L"gone") && argc == 4) {
    return waitFor(argv[2], static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)),
                   command == L"wait")
               ? 0
               : 1;
  }
  if (command == L"press" && argc == 4) return press(argv[2], argv[3]);
  if (command == L"close" && argc == 3) {
    HWND window = findVisible(argv[2]);
    if (!window) return 1;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  std::fputs(
      "usage: probe list | wait CAPTION MS | gone CAPTION MS | press CAPTION BUTTON | close "
      "CAPTION\n",
      stderr);
  return 2;
}
