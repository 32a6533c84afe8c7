// The login window's decorative picture, drawn with GDI: a hand reaching for glowing
// squares on a dark blue field.
#pragma once

#include <windows.h>

namespace orvanta {

void paintLoginPicture(HDC dc, const RECT& area);

}  // namespace orvanta
