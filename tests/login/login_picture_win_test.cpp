#include "login/login_picture_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace orvanta {
namespace {

// Paints into a 32-bit DIB and reads the pixels back.
struct PaintedPicture {
  static constexpr int width = 282;
  static constexpr int height = 401;
  std::vector<uint32_t> pixels;

  PaintedPicture() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bmp);
    paintLoginPicture(dc, RECT{0, 0, width, height});
    GdiFlush();
    auto* p = static_cast<uint32_t*>(bits);
    pixels.assign(p, p + width * height);
    if (const char* destination = std::getenv("ORVANTA_SAVE_PICTURE")) {
      save(destination, info);
    }
    SelectObject(dc, previous);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  void save(const char* destination, BITMAPINFO info) {
    BITMAPFILEHEADER header{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    const DWORD length = static_cast<DWORD>(pixels.size() * 4);
    header.bfSize = header.bfOffBits + length;
    if (FILE* f = std::fopen(destination, "wb")) {
      std::fwrite(&header, sizeof header, 1, f);
      std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
      std::fwrite(pixels.data(), 1, length, f);
      std::fclose(f);
    }
  }
  int r(int x, int y) const { return (pixels[y * width + x] >> 16) & 0xFF; }
  int g(int x, int y) const { return (pixels[y * width + x] >> 8) & 0xFF; }
  int b(int x, int y) const { return pixels[y * width + x] & 0xFF; }
};

TEST(LoginPictureTest, DarkBlueFieldWithALitSquareUnderTheFinger) {
  const PaintedPicture q;
  // Corners: dark and blue-dominant.
  for (auto [x, y] : {std::pair{2, 2}, std::pair{279, 398}, std::pair{2, 398}}) {
    EXPECT_GT(q.b(x, y), q.r(x, y)) << x << "," << y;
    EXPECT_LT(q.b(x, y), 0x50) << x << "," << y;
  }
  // The touched point glows.
  EXPECT_GT(q.b(156, 193), 200);
  EXPECT_GT(q.g(156, 193), 150);
}

}  // namespace
}  // namespace orvanta
