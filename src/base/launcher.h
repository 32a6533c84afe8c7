// Starting other programs and documents.
#pragma once

#include <string_view>

namespace orvanta {

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts a program by its bare name with a normal window; the result is not examined.
  virtual void launch(std::string_view commandLine) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Runs the shell's action on a file or URL, shown normally; an empty verb is the default
  // action. The result is not examined.
  virtual void execute(std::string_view verb, std::string_view target) = 0;
};

}  // namespace orvanta
