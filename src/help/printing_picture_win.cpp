#include "help/printing_picture_win.h"

#include "help/picture_drawing_win.h"

namespace orvanta {

namespace {

using namespace drawing;

constexpr COLORREF kBackdrop = RGB(231, 241, 251);
constexpr COLORREF kSkin = RGB(241, 194, 155);
constexpr COLORREF kSkinShade = RGB(222, 165, 124);
constexpr COLORREF kHair = RGB(84, 56, 42);
constexpr COLORREF kShirt = RGB(22, 160, 133);
constexpr COLORREF kShirtShade = RGB(17, 128, 106);
constexpr COLORREF kTablet = RGB(44, 62, 80);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kIcon = 46;

void person(HDC dc, POINT o) {
  const auto at = [o](LONG x, LONG y) { return POINT{o.x + x, o.y + y}; };
  // Shoulders and body, running off the bottom edge.
  roundRect(dc, {o.x + 78, o.y + 236, o.x + 248, o.y + 420}, 64, kShirt);
  polygon(dc, {at(146, 236), at(180, 236), at(163, 262)}, kWhite);
  roundRect(dc, {o.x + 148, o.y + 204, o.x + 178, o.y + 246}, 10, kSkinShade);
  polygon(dc, {at(150, 236), at(176, 236), at(163, 252)}, kSkinShade);
  // Head: hair behind, the face, a fringe, eyes and a smile.
  ellipse(dc, {o.x + 120, o.y + 118, o.x + 206, o.y + 206}, kHair);
  roundRect(dc, {o.x + 120, o.y + 160, o.x + 206, o.y + 232}, 20, kHair);
  ellipse(dc, {o.x + 128, o.y + 134, o.x + 198, o.y + 218}, kSkin);
  ellipse(dc, {o.x + 122, o.y + 168, o.x + 134, o.y + 186}, kSkinShade);
  ellipse(dc, {o.x + 192, o.y + 168, o.x + 204, o.y + 186}, kSkinShade);
  polygon(dc,
          {at(126, 160), at(136, 128), at(170, 118), at(200, 138), at(200, 160), at(178, 146),
           at(150, 150)},
          kHair);
  ellipse(dc, {o.x + 147, o.y + 170, o.x + 155, o.y + 179}, kTablet);
  ellipse(dc, {o.x + 171, o.y + 170, o.x + 179, o.y + 179}, kTablet);
  arc(dc, {o.x + 150, o.y + 178, o.x + 176, o.y + 202}, at(150, 192), at(176, 192), 3,
      RGB(192, 57, 43));
}

// Held up in both hands in front of the chest.
void tablet(HDC dc, POINT o) {
  const auto at = [o](LONG x, LONG y) { return POINT{o.x + x, o.y + y}; };
  polygon(dc, {at(90, 262), at(114, 252), at(128, 318), at(104, 330)}, kShirtShade);
  polygon(dc, {at(236, 262), at(212, 252), at(198, 318), at(222, 330)}, kShirtShade);
  roundRect(dc, {o.x + 106, o.y + 262, o.x + 220, o.y + 340}, 10, kTablet);
  roundRect(dc, {o.x + 114, o.y + 270, o.x + 212, o.y + 332}, 3, RGB(236, 240, 241));
  const COLORREF tiles[] = {RGB(231, 76, 60),  RGB(52, 152, 219), RGB(243, 156, 18),
                            RGB(155, 89, 182), RGB(39, 174, 96),  RGB(26, 188, 156)};
  for (int i = 0; i < 6; ++i) {
    const LONG x = o.x + 122 + (i % 3) * 30;
    const LONG y = o.y + 278 + (i / 3) * 27;
    roundRect(dc, {x, y, x + 22, y + 20}, 5, tiles[i]);
  }
  ellipse(dc, {o.x + 96, o.y + 312, o.x + 120, o.y + 336}, kSkin);
  ellipse(dc, {o.x + 206, o.y + 312, o.x + 230, o.y + 336}, kSkin);
}

RECT iconAt(POINT o, LONG x, LONG y) {
  return {o.x + x, o.y + y, o.x + x + kIcon, o.y + y + kIcon};
}

void mail(HDC dc, const RECT& r) {
  roundRect(dc, r, 12, RGB(231, 76, 60));
  const LONG l = r.left + 10, t = r.top + 14, w = kIcon - 20, h = kIcon - 28;
  roundRect(dc, {l, t, l + w, t + h}, 2, kWhite);
  line(dc, {l + 1, t + 1}, {l + w / 2, t + h / 2 + 1}, 2, RGB(231, 76, 60));
  line(dc, {l + w / 2, t + h / 2 + 1}, {l + w - 1, t + 1}, 2, RGB(231, 76, 60));
}

void printer(HDC dc, const RECT& r) {
  roundRect(dc, r, 12, RGB(52, 152, 219));
  const LONG l = r.left, t = r.top;
  roundRect(dc, {l + 15, t + 9, l + 31, t + 19}, 1, kWhite);
  roundRect(dc, {l + 9, t + 17, l + 37, t + 32}, 4, kWhite);
  roundRect(dc, {l + 14, t + 27, l + 32, t + 38}, 1, kWhite);
  line(dc, {l + 17, t + 31}, {l + 29, t + 31}, 1, RGB(52, 152, 219));
  line(dc, {l + 17, t + 34}, {l + 26, t + 34}, 1, RGB(52, 152, 219));
  ellipse(dc, {l + 31, t + 21, l + 34, t + 24}, RGB(46, 204, 113));
}

void pdf(HDC dc, const RECT& r) {
  roundRect(dc, r, 12, RGB(230, 126, 34));
  document(dc, {r.left + 12, r.top + 8}, 22, 30, RGB(230, 126, 34));
  roundRect(dc, {r.left + 8, r.top + 24, r.left + 38, r.top + 34}, 2, RGB(192, 57, 43));
  label(dc, {r.left + 8, r.top + 24, r.left + 38, r.top + 34}, L"PDF", 8, kWhite);
}

void calendar(HDC dc, const RECT& r) {
  roundRect(dc, r, 12, RGB(155, 89, 182));
  const LONG l = r.left, t = r.top;
  roundRect(dc, {l + 10, t + 11, l + 36, t + 36}, 3, kWhite);
  roundRect(dc, {l + 10, t + 11, l + 36, t + 18}, 3, RGB(108, 52, 131));
  for (int i = 0; i < 6; ++i) {
    const LONG x = l + 14 + (i % 3) * 7;
    const LONG y = t + 22 + (i / 3) * 7;
    roundRect(dc, {x, y, x + 4, y + 4}, 1, RGB(155, 89, 182));
  }
  line(dc, {l + 16, t + 8}, {l + 16, t + 13}, 2, kWhite);
  line(dc, {l + 30, t + 8}, {l + 30, t + 13}, 2, kWhite);
}

void cloud(HDC dc, const RECT& r) {
  roundRect(dc, r, 12, RGB(26, 188, 156));
  const LONG l = r.left, t = r.top;
  ellipse(dc, {l + 8, t + 20, l + 24, t + 34}, kWhite);
  ellipse(dc, {l + 15, t + 12, l + 33, t + 30}, kWhite);
  ellipse(dc, {l + 24, t + 18, l + 38, t + 34}, kWhite);
  roundRect(dc, {l + 14, t + 24, l + 32, t + 34}, 2, kWhite);
}

void chart(HDC dc, const RECT& r) {
  roundRect(dc, r, 12, RGB(39, 174, 96));
  const LONG l = r.left, b = r.bottom - 10;
  const int heights[] = {10, 18, 13, 24};
  for (int i = 0; i < 4; ++i) {
    const LONG x = l + 10 + i * 7;
    roundRect(dc, {x, b - heights[i], x + 5, b}, 1, kWhite);
  }
}

void photo(HDC dc, const RECT& r) {
  roundRect(dc, r, 12, RGB(241, 196, 15));
  const LONG l = r.left, t = r.top;
  roundRect(dc, {l + 9, t + 14, l + 37, t + 34}, 3, kWhite);
  roundRect(dc, {l + 17, t + 10, l + 29, t + 16}, 2, kWhite);
  ellipse(dc, {l + 16, t + 17, l + 30, t + 31}, RGB(241, 196, 15));
  ellipse(dc, {l + 19, t + 20, l + 27, t + 28}, kWhite);
}

// Little dots that tie the icons to the person.
void sparkles(HDC dc, POINT o) {
  const POINT dots[] = {{98, 94},  {228, 94}, {76, 196}, {250, 196},
                        {112, 58}, {214, 58}, {40, 134}, {286, 134}};
  const COLORREF colors[] = {RGB(231, 76, 60), RGB(230, 126, 34), RGB(155, 89, 182),
                             RGB(26, 188, 156)};
  for (int i = 0; i < 8; ++i) {
    const LONG x = o.x + dots[i].x, y = o.y + dots[i].y;
    const int radius = i % 3 == 0 ? 4 : 3;
    ellipse(dc, {x - radius, y - radius, x + radius, y + radius}, colors[i % 4]);
  }
}

}  // namespace

void paintPrintingPicture(HDC dc, const RECT& area) {
  const POINT o{area.left, area.top};
  ellipse(dc, {o.x + 18, o.y + 36, o.x + 308, o.y + 326}, kBackdrop);
  sparkles(dc, o);
  mail(dc, iconAt(o, 40, 40));
  printer(dc, iconAt(o, 140, 14));
  pdf(dc, iconAt(o, 240, 40));
  calendar(dc, iconAt(o, 12, 144));
  cloud(dc, iconAt(o, 268, 144));
  chart(dc, iconAt(o, 24, 250));
  photo(dc, iconAt(o, 256, 250));
  person(dc, o);
  tablet(dc, o);
}

}  // namespace orvanta
