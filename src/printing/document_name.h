// Rules for the local names of relayed documents. Names are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// True when a store entry can be used as a file name in the working directory and nowhere
// else: not empty, at most 255 UTF-16 units, no path separator, drive or stream colon,
// wildcard or other character Windows refuses in names, no control character, not ending in
// a dot or a space (which also rules out "." and ".."), and not a device name such as CON,
// NUL, COM1 or LPT1, with or without an extension.
bool isSafeDocumentName(std::string_view name);

// Whether the name ends in ".pdf" in any letter case: only those are opened.
bool isPdfName(std::string_view name);

// "Documento.pdf" with number 2 is "Documento (2).pdf"; a name without an extension gets the
// number at its end.
std::string numberedName(std::string_view name, int number);

}  // namespace orvanta
