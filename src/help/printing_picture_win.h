// The printing help's picture: a person holding a tablet, surrounded by the icons of the
// applications they print from.
#pragma once

#include <windows.h>

namespace orvanta {

// Drawn for a 326 x 372 area.
void paintPrintingPicture(HDC dc, const RECT& area);

}  // namespace orvanta
