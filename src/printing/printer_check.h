// Whether the local PDF printer is installed, and the offer to install it when it is not.
#pragma once

#include <functional>
#include <string_view>

#include "base/user_messages.h"
#include "printing/printer_list.h"

namespace orvanta {

// True for "PDFCreator" with its letters A to Z in any case. Nothing else is folded: "PDF
// Creator", a renamed copy "PDFCreator (2)" or a connection "\\server\PDFCreator" are other
// printers.
bool isPdfCreator(std::string_view printerName);

class PrinterCheck {
 public:
  // runInstaller downloads and starts the printer's installer and returns when it is done.
  PrinterCheck(PrinterList& printers, UserMessages& messages, std::function<void()> runInstaller);

  // Reads the printer list afresh (an installer run earlier in this session may have added the
  // printer), then either confirms the printer or offers its installer. A failure to read the
  // list is left to the caller.
  void check();

 private:
  PrinterList& printers_;
  UserMessages& messages_;
  std::function<void()> runInstaller_;
};

}  // namespace orvanta
