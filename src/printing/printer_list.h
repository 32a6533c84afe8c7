// The printers this machine can print to, as the platform lists them.
#pragma once

#include <string>
#include <vector>

namespace orvanta {

class PrinterList {
 public:
  virtual ~PrinterList() = default;
  // The names (UTF-8) of the local printers and of the user's printer connections, read from
  // the platform on every call, so a printer installed a moment ago is already there. Throws
  // Exception when the platform cannot list them.
  virtual std::vector<std::string> names() = 0;
};

}  // namespace orvanta
