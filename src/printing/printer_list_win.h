// The printer list read with EnumPrinters: local printers and the user's printer connections.
#pragma once

#include "printing/printer_list.h"

namespace orvanta {

class WinPrinterList final : public PrinterList {
 public:
  std::vector<std::string> names() override;
};

}  // namespace orvanta
