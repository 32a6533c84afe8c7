#include "help/transfer_picture_win.h"

#include "help/picture_drawing_win.h"

namespace orvanta {

namespace {

using namespace drawing;

constexpr COLORREF kBackdrop = RGB(231, 241, 251);
constexpr COLORREF kBezel = RGB(44, 62, 80);
constexpr COLORREF kScreen = RGB(93, 173, 226);
constexpr COLORREF kScreenDark = RGB(41, 128, 185);
constexpr COLORREF kMetal = RGB(189, 195, 199);
constexpr COLORREF kMetalDark = RGB(149, 165, 166);
constexpr COLORREF kToRemote = RGB(243, 156, 18);
constexpr COLORREF kToLocal = RGB(39, 174, 96);
constexpr COLORREF kToPhone = RGB(155, 89, 182);

void backdrop(HDC dc, POINT o) {
  ellipse(dc, {o.x + 14, o.y + 26, o.x + 250, o.y + 250}, kBackdrop);
  ellipse(dc, {o.x + 150, o.y + 8, o.x + 392, o.y + 236}, kBackdrop);
  // Soft ground under the devices.
  ellipse(dc, {o.x + 20, o.y + 190, o.x + 200, o.y + 206}, RGB(214, 228, 240));
  ellipse(dc, {o.x + 262, o.y + 238, o.x + 372, o.y + 250}, RGB(214, 228, 240));
}

void folder(HDC dc, POINT at, COLORREF color) {
  polygon(dc,
          {{at.x, at.y},
           {at.x + 14, at.y},
           {at.x + 18, at.y + 5},
           {at.x + 36, at.y + 5},
           {at.x + 36, at.y + 28},
           {at.x, at.y + 28}},
          color);
  polygon(dc,
          {{at.x, at.y + 10}, {at.x + 36, at.y + 10}, {at.x + 36, at.y + 28}, {at.x, at.y + 28}},
          RGB(253, 203, 110));
}

void laptop(HDC dc, POINT o) {
  roundRect(dc, {o.x + 40, o.y + 94, o.x + 172, o.y + 182}, 8, kBezel);
  roundRect(dc, {o.x + 47, o.y + 101, o.x + 165, o.y + 175}, 3, kScreen);
  polygon(dc, {{o.x + 47, o.y + 175}, {o.x + 165, o.y + 101}, {o.x + 165, o.y + 175}},
          RGB(108, 182, 232));
  folder(dc, {o.x + 70, o.y + 120}, RGB(243, 178, 47));
  document(dc, {o.x + 120, o.y + 114}, 24, 32, RGB(120, 144, 156));
  polygon(dc,
          {{o.x + 28, o.y + 182},
           {o.x + 184, o.y + 182},
           {o.x + 198, o.y + 194},
           {o.x + 14, o.y + 194}},
          kMetal);
  roundRect(dc, {o.x + 14, o.y + 192, o.x + 198, o.y + 198}, 3, kMetalDark);
  roundRect(dc, {o.x + 90, o.y + 184, o.x + 122, o.y + 189}, 2, kMetalDark);
}

// The remote desktop: a window with a title bar and tiles on a dark blue desktop.
void monitor(HDC dc, POINT o) {
  roundRect(dc, {o.x + 236, o.y + 34, o.x + 380, o.y + 128}, 8, kBezel);
  roundRect(dc, {o.x + 243, o.y + 41, o.x + 373, o.y + 121}, 3, kScreenDark);
  roundRect(dc, {o.x + 256, o.y + 52, o.x + 360, o.y + 112}, 3, RGB(236, 240, 241));
  roundRect(dc, {o.x + 256, o.y + 52, o.x + 360, o.y + 62}, 3, RGB(52, 73, 94));
  ellipse(dc, {o.x + 348, o.y + 54, o.x + 354, o.y + 60}, RGB(231, 76, 60));
  const COLORREF tiles[] = {RGB(243, 156, 18), RGB(39, 174, 96), RGB(52, 152, 219),
                            RGB(155, 89, 182), RGB(231, 76, 60), RGB(26, 188, 156)};
  for (int i = 0; i < 6; ++i) {
    const LONG x = o.x + 264 + (i % 3) * 31;
    const LONG y = o.y + 68 + (i / 3) * 21;
    roundRect(dc, {x, y, x + 25, y + 16}, 3, tiles[i]);
  }
  polygon(dc,
          {{o.x + 298, o.y + 128},
           {o.x + 318, o.y + 128},
           {o.x + 322, o.y + 150},
           {o.x + 294, o.y + 150}},
          kMetalDark);
  roundRect(dc, {o.x + 274, o.y + 148, o.x + 342, o.y + 156}, 4, kMetal);
}

void phone(HDC dc, POINT o) {
  roundRect(dc, {o.x + 296, o.y + 168, o.x + 340, o.y + 244}, 8, kBezel);
  roundRect(dc, {o.x + 300, o.y + 178, o.x + 336, o.y + 232}, 2, RGB(236, 240, 241));
  roundRect(dc, {o.x + 311, o.y + 172, o.x + 325, o.y + 174}, 1, kMetalDark);
  ellipse(dc, {o.x + 314, o.y + 235, o.x + 322, o.y + 241}, kMetalDark);
  document(dc, {o.x + 308, o.y + 188}, 20, 26, RGB(120, 144, 156));
}

void transfers(HDC dc, POINT o) {
  const auto at = [o](LONG x, LONG y) { return POINT{o.x + x, o.y + y}; };
  const Curve toRemote{at(128, 84), at(140, 22), at(196, 6), at(226, 52)};
  const Curve toLocal{at(262, 138), at(254, 176), at(222, 186), at(206, 170)};
  const Curve toPhone{at(206, 212), at(232, 240), at(262, 236), at(286, 210)};
  dottedArrow(dc, toRemote, 11, 3, kToRemote);
  dottedArrow(dc, toLocal, 7, 3, kToLocal);
  dottedArrow(dc, toPhone, 7, 3, kToPhone);
  // A file on its way to the remote desktop.
  const POINT travelling = toRemote.at(0.5);
  roundRect(dc, {travelling.x - 15, travelling.y - 19, travelling.x + 15, travelling.y + 19}, 5,
            kToRemote);
  document(dc, {travelling.x - 10, travelling.y - 14}, 20, 28, kToRemote);
}

}  // namespace

void paintTransferPicture(HDC dc, const RECT& area) {
  const POINT origin{area.left, area.top};
  backdrop(dc, origin);
  laptop(dc, origin);
  monitor(dc, origin);
  phone(dc, origin);
  transfers(dc, origin);
}

}  // namespace orvanta
