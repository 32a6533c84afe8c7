// The file-transfer help's picture: a laptop, a monitor showing the remote desktop and a
// phone, with files travelling between them along dotted arrows.
#pragma once

#include <windows.h>

namespace orvanta {

// Drawn for a 400 x 261 area.
void paintTransferPicture(HDC dc, const RECT& area);

}  // namespace orvanta
