#include "keyboard/keyboard_painter_win.h"

#include "ui/dpi_win.h"
#include "ui/text_win.h"

namespace orvanta {
namespace {

COLORREF colorRef(Rgb c) {
  return RGB(c.r, c.g, c.b);
}

TRIVERTEX vertex(int x, int y, Rgb c) {
  return {x,
          y,
          static_cast<COLOR16>(c.r << 8),
          static_cast<COLOR16>(c.g << 8),
          static_cast<COLOR16>(c.b << 8),
          0};
}

void verticalGradient(HDC dc, const KeyRect& r, Rgb top, Rgb bottom) {
  TRIVERTEX corners[2] = {vertex(r.left, r.top, top), vertex(r.right, r.bottom, bottom)};
  GRADIENT_RECT rect{0, 1};
  GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

// The face the platform puts in place of "MS Shell Dlg 2", its user-interface font.
std::wstring userInterfaceFace() {
  wchar_t face[LF_FACESIZE] = {};
  DWORD bytes = sizeof face;
  const LSTATUS status = RegGetValueW(
      HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
      L"MS Shell Dlg 2", RRF_RT_REG_SZ, nullptr, face, &bytes);
  return status == ERROR_SUCCESS && face[0] != 0 ? face : L"MS Sans Serif";
}

}  // namespace

KeyboardPainter::KeyboardPainter() : canvasFace_(userInterfaceFace()) {}

void KeyboardPainter::setDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  fonts_.clear();
}

HFONT KeyboardPainter::font(const std::wstring& face, int points) {
  for (const Font& f : fonts_) {
    if (f.points == points && f.face == face) return f.handle.get();
  }
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(points, dpi_, 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  fonts_.push_back({face, points, UniqueHfont(CreateFontIndirectW(&lf))});
  return fonts_.back().handle.get();
}

void KeyboardPainter::paintAll(HDC target, const KeyboardModel& keyboard, HBRUSH background,
                               SIZE size) {
  if (size.cx <= 0 || size.cy <= 0) return;
  if (!buffer_ || bitmapSize_.cx != size.cx || bitmapSize_.cy != size.cy) {
    buffer_.reset();  // lets go of the old bitmap before it is deleted
    bitmap_.reset(CreateCompatibleBitmap(target, size.cx, size.cy));
    buffer_.reset(CreateCompatibleDC(target));
    SelectObject(buffer_.get(), bitmap_.get());
    bitmapSize_ = size;
  }
  HDC dc = buffer_.get();
  const KeyRect all{0, 0, size.cx, size.cy};
  if (keyboard.DrawingStyle() == KeyboardDrawingStyle::dsGradient) {
    verticalGradient(dc, all, keyboard.GradientStart(), keyboard.GradientEnd());
  } else {
    const RECT r{0, 0, size.cx, size.cy};
    FillRect(dc, &r, background);
  }
  for (const TCustomKeyboardButton& key : keyboard.Buttons()) {
    drawKey(dc, keyboard, key, canvasFace_);
  }
  BitBlt(target, 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
}

void KeyboardPainter::paintKey(HDC dc, const KeyboardModel& keyboard,
                               const TCustomKeyboardButton& key, const std::wstring& face) {
  drawKey(dc, keyboard, key, face);
}

void KeyboardPainter::drawKey(HDC dc, const KeyboardModel& keyboard,
                              const TCustomKeyboardButton& key, const std::wstring& face) {
  const KeyColors& colors = keyColors(key.State);
  const KeyRect drawn = key.ClientRect();
  const KeyRect inner = drawn.inset(1);
  const KeyRect fill = fillArea(drawn);
  const int outerCorner = scaleToDpi(kOuterCorner, dpi_);
  const int innerCorner = scaleToDpi(kInnerCorner, dpi_);
  UniqueHrgn clip(
      CreateRoundRectRgn(fill.left, fill.top, fill.right, fill.bottom, outerCorner, outerCorner));
  SelectClipRgn(dc, clip.get());
  verticalGradient(dc, fill, colors.top, colors.bottom);
  {
    SelectGuard brush(dc, GetStockObject(NULL_BRUSH));
    SelectGuard pen(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, colorRef(colors.outer));
    RoundRect(dc, drawn.left, drawn.top, drawn.right, drawn.bottom, outerCorner, outerCorner);
    SetDCPenColor(dc, colorRef(colors.inner));
    RoundRect(dc, inner.left, inner.top, inner.right, inner.bottom, innerCorner, innerCorner);
    SetDCPenColor(dc, colorRef(colors.text));
    if (key.KeyImage == KeyImage::kNone) {
      SelectGuard selected(dc, font(face, keyboard.fontSize(key)));
      SetTextColor(dc, colorRef(colors.text));
      SetBkMode(dc, TRANSPARENT);
      const std::wstring caption = widen(key.Caption);
      const KeyPoint at = captionOrigin(inner);
      TextOutW(dc, at.x, at.y, caption.c_str(), static_cast<int>(caption.size()));
    } else {
      for (const KeyPolyline& line : pictureLines(key.KeyImage, inner)) {
        MoveToEx(dc, line.front().x, line.front().y, nullptr);
        for (size_t i = 1; i < line.size(); ++i) LineTo(dc, line[i].x, line[i].y);
      }
    }
  }
  SelectClipRgn(dc, nullptr);
}

}  // namespace orvanta
