// Records programs started and shell actions instead of running them.
#pragma once

#include <string>
#include <vector>

#include "base/launcher.h"

namespace orvanta::test {

class FakeProgramLauncher final : public ProgramLauncher {
 public:
  void launch(std::string_view commandLine) override { launched.emplace_back(commandLine); }
  std::vector<std::string> launched;
};

class FakeShell final : public Shell {
 public:
  struct Call {
    std::string verb;
    std::string target;
    bool operator==(const Call&) const = default;
  };
  void execute(std::string_view verb, std::string_view target) override {
    calls.push_back({std::string(verb), std::string(target)});
  }
  std::vector<Call> calls;
};

}  // namespace orvanta::test
