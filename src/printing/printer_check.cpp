#include "printing/printer_check.h"

#include <algorithm>
#include <string>
#include <utility>

namespace orvanta {

namespace {

constexpr std::string_view kPdfCreator = "pdfcreator";

constexpr char kInstalled[] = "O PDF Creator está instalado corretamente";
// Lines joined by a bare carriage return, which the message box breaks on.
constexpr char kOfferInstaller[] =
    "Para que as suas impressões funcionem é necessário instalar o PDF Creator.\r"
    "Através dele todas as impressões serão salvas diretamente no seu computador.\r"
    "Caso não seja instalado, não será possível imprimir.\r"
    "Deseja instalar?";

char lowerAsciiLetter(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool isPdfCreator(std::string_view printerName) {
  return std::ranges::equal(printerName, kPdfCreator,
                            [](char a, char b) { return lowerAsciiLetter(a) == b; });
}

PrinterCheck::PrinterCheck(PrinterList& printers, UserMessages& messages,
                           std::function<void()> runInstaller)
    : printers_(printers), messages_(messages), runInstaller_(std::move(runInstaller)) {}

void PrinterCheck::check() {
  const std::vector<std::string> names = printers_.names();
  if (std::ranges::any_of(names, isPdfCreator)) {
    messages_.showMessage(kInstalled);
  } else if (messages_.confirm(kOfferInstaller) && runInstaller_) {
    runInstaller_();
  }
}

}  // namespace orvanta
