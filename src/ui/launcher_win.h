// ProgramLauncher and Shell on the platform's calls.
#pragma once

#include <windows.h>

#include "base/launcher.h"

namespace orvanta {

// WinExec with a normal window.
class WinProgramLauncher final : public ProgramLauncher {
 public:
  void launch(std::string_view commandLine) override;
};

// ShellExecuteW, shown normally, owned by the given window (may be null).
class WinShell final : public Shell {
 public:
  explicit WinShell(HWND owner = nullptr) : owner_(owner) {}
  void execute(std::string_view verb, std::string_view target) override;

 private:
  HWND owner_;
};

}  // namespace orvanta
