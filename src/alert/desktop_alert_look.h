// What the desktop alert looks like: its size, where its parts sit and how its background is
// painted. All sizes are pixels: the alert is not scaled with the screen's density.
#pragma once

#include <vector>

#include "base/gradient.h"

namespace orvanta {

inline constexpr int kDesktopAlertWidth = 329;
inline constexpr int kDesktopAlertHeight = 76;
// The header line stays empty; its 12-px bold font still gives it a 16-px line.
inline constexpr int kHeaderLineHeight = 16;
inline constexpr int kCaptionStripHeight = 8;

// The alert's four gradient colours.
struct DesktopAlertColors {
  Rgb WindowFrom{206, 231, 255};
  Rgb WindowTo{123, 166, 231};
  Rgb CaptionFrom{82, 134, 214};
  Rgb CaptionTo{16, 65, 148};
};

inline constexpr Rgb kFrameColor{128, 128, 128};
inline constexpr Rgb kCloseButtonHotFrame{0, 51, 102};
inline constexpr Rgb kCloseButtonHotFill{181, 190, 214};
inline constexpr Rgb kCloseButtonPressedFill{153, 153, 204};

// Left, top, width, height relative to the alert's top-left corner.
struct AlertBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool contains(int x, int y) const {
    return x >= left && x < left + width && y >= top && y < top + height;
  }
  bool operator==(const AlertBox&) const = default;
};

struct DesktopAlertLayout {
  AlertBox imIcon;      // the status picture
  AlertBox lblHeader;   // the (empty) header line
  AlertBox lblText;     // the message: word-wrapped, clipped, an ellipsis where it is cut
  AlertBox tbClose;     // the close button
  AlertBox tbDropDown;  // hidden: the alert has no drop-down menu
};

// The parts laid out for a window of windowWidth with a picture of the given size.
DesktopAlertLayout layoutDesktopAlert(int windowWidth, int iconWidth, int iconHeight);

struct SolidFill {
  AlertBox box;
  Rgb color;
  bool operator==(const SolidFill&) const = default;
};

// The fills that paint the alert over its button-face background, in order: the caption
// strip's bands, the body's bands (row 8 keeps the background) and the frame, last.
std::vector<SolidFill> desktopAlertBackground(int width, int height,
                                              const DesktopAlertColors& colors);

}  // namespace orvanta
