// Where the keys of the on-screen keyboard lie for the keyboard's size.
#pragma once

#include <vector>

#include "keyboard/keyboard_button.h"

namespace orvanta {

// Scales the stored key widths of each row from the layout's nominal width to `width`: keys
// without kfStretch in proportion, the kfStretch keys sharing what is left of the row in
// proportion to their stored widths; the last key, unless it stretches, is one pixel
// narrower. The rows share `height` (the first ones one pixel higher when it does not divide
// evenly); a key taller than the layout's row height also takes the next row. Keys come in
// layout order and keep their row index and margins.
void placeKeys(std::vector<TCustomKeyboardButton>& keys, int layoutWidth, int rowHeight, int width,
               int height);

}  // namespace orvanta
