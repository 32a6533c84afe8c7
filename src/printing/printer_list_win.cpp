#include "printing/printer_list_win.h"

#include <windows.h>

#include <winspool.h>

#include "ui/system_error_text_win.h"
#include "ui/text_win.h"

namespace orvanta {

std::vector<std::string> WinPrinterList::names() {
  constexpr DWORD kWhich = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  constexpr DWORD kNamesOnly = 4;  // PRINTER_INFO_4: the cheapest level that carries the name
  std::vector<BYTE> buffer;
  DWORD needed = 0;
  DWORD count = 0;
  // A printer added between the size query and the read makes the buffer short again.
  while (!EnumPrintersW(kWhich, nullptr, kNamesOnly, buffer.data(),
                        static_cast<DWORD>(buffer.size()), &needed, &count)) {
    const DWORD error = GetLastError();
    if (error != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) {
      throwWithSystemText("Cannot list the printers", error);
    }
    buffer.resize(needed);
  }
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  std::vector<std::string> names;
  names.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    names.push_back(printers[i].pPrinterName ? narrow(printers[i].pPrinterName) : std::string());
  }
  return names;
}

}  // namespace orvanta
