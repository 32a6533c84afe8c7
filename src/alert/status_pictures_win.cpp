#include "alert/status_pictures_win.h"

namespace orvanta {

namespace {

UniqueHicon iconFromPixels(const std::vector<Rgba>& pixels, int size) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueHbitmap color(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!color) return {};
  auto* out = static_cast<uint32_t*>(bits);
  // Monochrome rows are padded to a multiple of 16 bits; a set bit is a transparent pixel.
  const int maskStride = (size + 15) / 16 * 2;
  std::vector<uint8_t> mask(static_cast<size_t>(maskStride * size), 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Rgba& p = pixels[static_cast<size_t>(y * size + x)];
      // Icons take straight (not premultiplied) alpha in BGRA order.
      out[y * size + x] = static_cast<uint32_t>(p.a) << 24 | static_cast<uint32_t>(p.r) << 16 |
                          static_cast<uint32_t>(p.g) << 8 | p.b;
      if (p.a == 0) mask[static_cast<size_t>(y * maskStride + x / 8)] |= 0x80 >> (x % 8);
    }
  }
  UniqueHbitmap monochrome(CreateBitmap(size, size, 1, 1, mask.data()));
  ICONINFO icon{TRUE, 0, 0, monochrome.get(), color.get()};
  return UniqueHicon(CreateIconIndirect(&icon));
}

}  // namespace

UniqueHicon StatusPictureList::GetIcon(int index, int dpi) {
  if (index < 0 || index >= kStatusPictureCount) return {};
  Drawn& picture = pictures_[static_cast<size_t>(index)];
  const int size = scaleToDpi(kStatusPictureSize, dpi);
  if (picture.size != size) picture = {size, drawStatusPicture(index, size)};
  return iconFromPixels(picture.pixels, size);
}

}  // namespace orvanta
