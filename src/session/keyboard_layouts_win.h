// Fills the layout registry from the keyboard layouts the program carries as resources.
#pragma once

#include <windows.h>

#include "session/keyboard_layouts.h"

namespace orvanta {

// Appends every RCDATA resource of `modulo` whose name contains "KEYBOARD", in the order the
// resource names are enumerated (alphabetical). Returns how many were read.
size_t CarregarLayoutsDoModulo(TKeyboardLayouts& layouts, HMODULE modulo);

}  // namespace orvanta
