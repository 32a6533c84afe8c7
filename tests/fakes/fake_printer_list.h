// A printer list the test fills in; counts its reads and can be told to fail.
#pragma once

#include <string>
#include <vector>

#include "base/exception.h"
#include "printing/printer_list.h"

namespace orvanta::test {

class FakePrinterList final : public PrinterList {
 public:
  std::vector<std::string> names() override {
    ++reads;
    if (!failure.empty()) throw Exception(failure);
    return printers;
  }

  std::vector<std::string> printers;
  int reads = 0;
  std::string failure;  // thrown as an Exception when not empty
};

}  // namespace orvanta::test
