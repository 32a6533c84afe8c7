#include "alert/desktop_alert_look.h"

namespace orvanta {

namespace {

constexpr int kIconLeft = 8;
constexpr int kIconTop = 13;
constexpr int kButtonSize = 15;
constexpr int kCloseButtonTop = 10;
constexpr int kCloseButtonRightGap = 17;
constexpr int kDropDownGap = 16;
constexpr int kMessageLineHeight = 13;
// A body at least this high is drawn with fewer bands, as one band a row would be wasteful.
constexpr int kBandPerRowLimit = 255;
constexpr int kTallBodyBands = 32;

void addGradient(std::vector<SolidFill>& fills, int top, int width, int height, Rgb from, Rgb to,
                 int bandCount) {
  for (const GradientBand& band : gradientBands(from, to, height, bandCount))
    fills.push_back({{0, top + band.top, width, band.height}, band.color});
}

}  // namespace

DesktopAlertLayout layoutDesktopAlert(int windowWidth, int iconWidth, int iconHeight) {
  DesktopAlertLayout l;
  l.imIcon = {kIconLeft, kIconTop, iconWidth, iconHeight};
  l.lblHeader = {l.imIcon.left + iconWidth + 5, l.imIcon.top, 0, kHeaderLineHeight};
  l.tbClose = {windowWidth - kCloseButtonRightGap, kCloseButtonTop, kButtonSize, kButtonSize};
  l.tbDropDown = {l.tbClose.left - kDropDownGap, kCloseButtonTop, kButtonSize, kButtonSize};
  const int textLeft = l.lblHeader.left + 8;
  l.lblText = {textLeft, l.lblHeader.top + l.lblHeader.height, l.tbDropDown.left - textLeft,
               kMessageLineHeight};
  return l;
}

std::vector<SolidFill> desktopAlertBackground(int width, int height,
                                              const DesktopAlertColors& colors) {
  std::vector<SolidFill> fills;
  addGradient(fills, 0, width, kCaptionStripHeight, colors.CaptionFrom, colors.CaptionTo,
              kCaptionStripHeight);
  const int bodyTop = kCaptionStripHeight + 1;
  const int bodyHeight = height - 1 - bodyTop;
  addGradient(fills, bodyTop, width, bodyHeight, colors.WindowFrom, colors.WindowTo,
              bodyHeight < kBandPerRowLimit ? bodyHeight : kTallBodyBands);
  fills.push_back({{0, 0, width, 1}, kFrameColor});
  fills.push_back({{0, height - 1, width, 1}, kFrameColor});
  fills.push_back({{0, 0, 1, height}, kFrameColor});
  fills.push_back({{width - 1, 0, 1, height}, kFrameColor});
  return fills;
}

}  // namespace orvanta
