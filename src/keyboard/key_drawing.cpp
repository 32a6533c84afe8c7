#include "keyboard/key_drawing.h"

#include <algorithm>

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

namespace {

bool centred(uint8_t image) {
  return image >= KeyImage::kArrowUp && image <= KeyImage::kArrowRight;
}

// The arrows are drawn around the inner rectangle's centre, the others from its top-left.
Point anchor(uint8_t image, const Rect& inner) {
  if (centred(image)) return {(inner.left + inner.right) / 2, (inner.top + inner.bottom) / 2};
  return {inner.left, inner.top};
}

// The lines relative to the anchor.
std::vector<KeyPolyline> designLines(uint8_t image) {
  // Enter and the numeric pad's Enter differ only in where the arrow's shaft ends.
  const auto enter = [](int end) -> std::vector<KeyPolyline> {
    return {{{end, 6}, {end, 13}}, {{4, 12}, {end, 12}}, {{5, 11}, {5, 14}}, {{6, 10}, {6, 15}}};
  };
  switch (image) {
    case KeyImage::kTab:
      return {{{4, 8}, {40, 8}},    {{4, 3}, {4, 13}},   {{6, 7}, {6, 10}},
              {{7, 6}, {7, 11}},    {{4, 20}, {41, 20}}, {{40, 15}, {40, 25}},
              {{38, 19}, {38, 22}}, {{37, 18}, {37, 23}}};
    case KeyImage::kShift:
      return {{{4, 16}, {14, 6}, {24, 16}, {18, 16}, {18, 22}, {10, 22}, {10, 16}, {4, 16}}};
    case KeyImage::kEnter:
      return enter(40);
    case KeyImage::kBackspace:
      return {{{4, 8}, {28, 8}}, {{5, 7}, {5, 10}}, {{6, 6}, {6, 11}}};
    case KeyImage::kArrowUp:
      return {{{0, -8}, {0, 8}}, {{-1, -7}, {2, -7}}, {{-2, -6}, {3, -6}}};
    case KeyImage::kArrowDown:
      return {{{0, -8}, {0, 8}}, {{-1, 6}, {2, 6}}, {{-2, 5}, {3, 5}}};
    case KeyImage::kArrowLeft:
      return {{{-8, 0}, {8, 0}}, {{-6, -1}, {-6, 2}}, {{-5, -2}, {-5, 3}}};
    case KeyImage::kArrowRight:
      return {{{-8, 0}, {8, 0}}, {{6, -1}, {6, 2}}, {{5, -2}, {5, 3}}};
    case KeyImage::kNumPadEnter:
      return enter(28);
    default:
      return {};
  }
}

int sign(int v) {
  return (v > 0) - (v < 0);
}

}  // namespace

int keyLineWidth(int dpi) {
  return std::max(1, scaleToDpi(1, dpi));
}

std::vector<KeyPolyline> pictureLines(uint8_t image, const Rect& inner) {
  const Point at = anchor(image, inner);
  std::vector<KeyPolyline> lines = designLines(image);
  for (KeyPolyline& line : lines) {
    for (Point& p : line) p = {at.x + p.x, at.y + p.y};
  }
  return lines;
}

std::vector<Rect> pictureBlocks(uint8_t image, const Rect& inner, int dpi) {
  const Point at = anchor(image, inner);
  const int width = keyLineWidth(dpi);
  // Where a designed pixel's row or column ends: at its neighbour's scaled place, so that a
  // line has no gaps, and never nearer than a line width.
  const auto end = [&](int d) {
    return scaleToDpi(d, dpi) + std::max(width, scaleToDpi(d + 1, dpi) - scaleToDpi(d, dpi));
  };
  // The designed pixels first..last (inclusive) of one row or column as one rectangle.
  const auto block = [&](Point first, Point last) {
    return Rect{at.x + scaleToDpi(std::min(first.x, last.x), dpi),
                at.y + scaleToDpi(std::min(first.y, last.y), dpi),
                at.x + end(std::max(first.x, last.x)), at.y + end(std::max(first.y, last.y))};
  };
  std::vector<Rect> blocks;
  for (const KeyPolyline& line : designLines(image)) {
    for (size_t i = 1; i < line.size(); ++i) {
      const Point a = line[i - 1];
      const Point b = line[i];
      const Point step{sign(b.x - a.x), sign(b.y - a.y)};
      if (step.x == 0 || step.y == 0) {
        blocks.push_back(block(a, {b.x - step.x, b.y - step.y}));
        continue;
      }
      // A diagonal, at 45 degrees in every picture: one block per pixel.
      for (Point p = a; p.x != b.x; p = {p.x + step.x, p.y + step.y}) blocks.push_back(block(p, p));
    }
  }
  return blocks;
}

}  // namespace orvanta
