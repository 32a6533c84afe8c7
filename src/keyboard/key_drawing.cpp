#include "keyboard/key_drawing.h"

namespace orvanta {

const KeyColors& keyColors(KeyLook look) {
  static constexpr Rgb kBlack{0, 0, 0};
  static constexpr Rgb kGrey{128, 128, 128};
  static constexpr Rgb kSilver{192, 192, 192};
  static constexpr Rgb kCream{255, 251, 240};
  static constexpr Rgb kWhite{255, 255, 255};
  static constexpr KeyColors kNormal{kGrey, kBlack, kBlack, kGrey, kWhite};
  static constexpr KeyColors kPressed{kCream, kSilver, kCream, kGrey, kBlack};
  static constexpr KeyColors kDisabled{kGrey, kCream, kCream, kGrey, kGrey};
  switch (look) {
    case KeyLook::dsPressed:
      return kPressed;
    case KeyLook::dsDisabled:
      return kDisabled;
    case KeyLook::dsNormal:
      break;
  }
  return kNormal;
}

std::vector<KeyPolyline> pictureLines(uint8_t image, const Rect& inner) {
  const int x = inner.left;
  const int y = inner.top;
  const int cx = (inner.left + inner.right) / 2;
  const int cy = (inner.top + inner.bottom) / 2;
  // Enter and the numeric pad's Enter differ only in where the arrow's shaft ends.
  const auto enter = [&](int end) -> std::vector<KeyPolyline> {
    return {{{x + end, y + 6}, {x + end, y + 13}},
            {{x + 4, y + 12}, {x + end, y + 12}},
            {{x + 5, y + 11}, {x + 5, y + 14}},
            {{x + 6, y + 10}, {x + 6, y + 15}}};
  };
  switch (image) {
    case KeyImage::kTab:
      return {{{x + 4, y + 8}, {x + 40, y + 8}},    {{x + 4, y + 3}, {x + 4, y + 13}},
              {{x + 6, y + 7}, {x + 6, y + 10}},    {{x + 7, y + 6}, {x + 7, y + 11}},
              {{x + 4, y + 20}, {x + 41, y + 20}},  {{x + 40, y + 15}, {x + 40, y + 25}},
              {{x + 38, y + 19}, {x + 38, y + 22}}, {{x + 37, y + 18}, {x + 37, y + 23}}};
    case KeyImage::kShift:
      return {{{x + 4, y + 16},
               {x + 14, y + 6},
               {x + 24, y + 16},
               {x + 18, y + 16},
               {x + 18, y + 22},
               {x + 10, y + 22},
               {x + 10, y + 16},
               {x + 4, y + 16}}};
    case KeyImage::kEnter:
      return enter(40);
    case KeyImage::kBackspace:
      return {{{x + 4, y + 8}, {x + 28, y + 8}},
              {{x + 5, y + 7}, {x + 5, y + 10}},
              {{x + 6, y + 6}, {x + 6, y + 11}}};
    case KeyImage::kArrowUp:
      return {{{cx, cy - 8}, {cx, cy + 8}},
              {{cx - 1, cy - 7}, {cx + 2, cy - 7}},
              {{cx - 2, cy - 6}, {cx + 3, cy - 6}}};
    case KeyImage::kArrowDown:
      return {{{cx, cy - 8}, {cx, cy + 8}},
              {{cx - 1, cy + 6}, {cx + 2, cy + 6}},
              {{cx - 2, cy + 5}, {cx + 3, cy + 5}}};
    case KeyImage::kArrowLeft:
      return {{{cx - 8, cy}, {cx + 8, cy}},
              {{cx - 6, cy - 1}, {cx - 6, cy + 2}},
              {{cx - 5, cy - 2}, {cx - 5, cy + 3}}};
    case KeyImage::kArrowRight:
      return {{{cx - 8, cy}, {cx + 8, cy}},
              {{cx + 6, cy - 1}, {cx + 6, cy + 2}},
              {{cx + 5, cy - 2}, {cx + 5, cy + 3}}};
    case KeyImage::kNumPadEnter:
      return enter(28);
    default:
      return {};
  }
}

}  // namespace orvanta
