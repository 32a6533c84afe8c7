// ProgramLauncher and Shell on the platform's calls.
#pragma once

#include <windows.h>

#include <functional>

#include "base/launcher.h"

namespace orvanta {

// WinExec with a normal window.
class WinProgramLauncher final : public ProgramLauncher {
 public:
  void launch(std::string_view commandLine) override;
};

// ShellExecuteW, shown normally, owned by the window `owner` gives when something is opened
// (none when empty): a window made when first needed is not made for it beforehand.
class WinShell final : public Shell {
 public:
  explicit WinShell(std::function<HWND()> owner = {}) : owner_(std::move(owner)) {}
  void execute(std::string_view verb, std::string_view target) override;

 private:
  std::function<HWND()> owner_;
};

}  // namespace orvanta
