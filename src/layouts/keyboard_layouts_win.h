// Fills the layout registry from the keyboard layouts the program carries as resources.
#pragma once

#include <windows.h>

#include "layouts/keyboard_layouts.h"

namespace orvanta {

// Appends every RCDATA resource of `module` whose name contains "KEYBOARD", in the order the
// resource names are enumerated (alphabetical). Returns how many were read.
// Appends the program's RCDATA resource `name` (e.g. "STANDARD102KEYBOARD").
const TVirtualKeyLayout& LoadFromResourceName(TKeyboardLayouts& layouts, std::string_view name);

size_t loadLayoutsFromModule(TKeyboardLayouts& layouts, HMODULE module);

}  // namespace orvanta
