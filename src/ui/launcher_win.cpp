#include "ui/launcher_win.h"

#include <shellapi.h>
#include <windows.h>

#include <string>

#include "ui/text_win.h"

namespace orvanta {

void WinProgramLauncher::launch(std::string_view commandLine) {
  // WinExec takes the ANSI code page.
  const std::wstring wide = widen(commandLine);
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), n, nullptr, nullptr);
  WinExec(ansi.c_str(), SW_SHOWNORMAL);
}

void WinShell::execute(std::string_view verb, std::string_view target) {
  const std::wstring wideVerb = widen(verb);
  ShellExecuteW(owner_ ? owner_() : nullptr, verb.empty() ? nullptr : wideVerb.c_str(),
                widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace orvanta
