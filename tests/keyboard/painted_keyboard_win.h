// The keyboard drawn into a 32-bit bitmap, read back pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "keyboard/key_drawing.h"
#include "keyboard/touch_keyboard_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta::test {

class PaintedBitmap {
 public:
  PaintedBitmap(int width, int height, COLORREF fill = RGB(255, 0, 255))
      : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    WindowDc screen(nullptr);
    dc_.reset(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const uint32_t*>(bits);
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    UniqueHbrush brush(CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    FillRect(dc_.get(), &all, brush.get());
  }
  ~PaintedBitmap() { SelectObject(dc_.get(), previous_); }
  PaintedBitmap(const PaintedBitmap&) = delete;
  PaintedBitmap& operator=(const PaintedBitmap&) = delete;

  HDC dc() const { return dc_.get(); }
  Rgb at(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[y * width_ + x];
    return {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
  }

 private:
  int width_;
  int height_;
  UniqueMemoryDc dc_;
  UniqueHbitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  const uint32_t* bits_ = nullptr;
};

// Within `tolerance` on each channel.
inline bool closeTo(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

// The colour a vertical gradient from `top` (at y0) to `bottom` (at y1) has at y.
inline Rgb between(Rgb top, Rgb bottom, int y0, int y1, int y) {
  const auto mix = [&](int a, int b) {
    return static_cast<uint8_t>(a + (b - a) * (y - y0) / (y1 - y0));
  };
  return {mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b)};
}

}  // namespace orvanta::test
