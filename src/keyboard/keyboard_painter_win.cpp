#include "keyboard/keyboard_painter_win.h"

#include "ui/dpi_win.h"
#include "ui/gradient_win.h"
#include "ui/text_win.h"

namespace orvanta {
namespace {

RECT toRect(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
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
  const Rect all{0, 0, size.cx, size.cy};
  if (keyboard.DrawingStyle() == KeyboardDrawingStyle::dsGradient) {
    fillVerticalGradient(dc, toRect(all), keyboard.GradientStart(), keyboard.GradientEnd());
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
  const int lineWidth = keyLineWidth(dpi_);
  const Rect drawn = key.ClientRect();
  const Rect inner = drawn.inset(lineWidth);
  const Rect fill = fillArea(drawn, dpi_);
  const int outerCorner = scaleToDpi(kOuterCorner, dpi_);
  const int innerCorner = scaleToDpi(kInnerCorner, dpi_);
  UniqueHrgn clip(
      CreateRoundRectRgn(fill.left, fill.top, fill.right, fill.bottom, outerCorner, outerCorner));
  SelectClipRgn(dc, clip.get());
  fillVerticalGradient(dc, toRect(fill), colors.top, colors.bottom);
  {
    SelectGuard brush(dc, GetStockObject(NULL_BRUSH));
    // Inside the frame, so that a wider outline grows into the key as the 96-dpi one would.
    const auto outline = [&](const Rect& r, int corner, Rgb color) {
      const UniqueHpen pen(CreatePen(PS_INSIDEFRAME, lineWidth, colorRef(color)));
      SelectGuard selected(dc, pen.get());
      RoundRect(dc, r.left, r.top, r.right, r.bottom, corner, corner);
    };
    outline(drawn, outerCorner, colors.outer);
    outline(inner, innerCorner, colors.inner);
    if (key.KeyImage == KeyImage::kNone) {
      SelectGuard selected(dc, font(face, keyboard.fontSize(key)));
      SetTextColor(dc, colorRef(colors.text));
      SetBkMode(dc, TRANSPARENT);
      const std::wstring caption = widen(key.Caption);
      const Point at = captionOrigin(inner, dpi_);
      TextOutW(dc, at.x, at.y, caption.c_str(), static_cast<int>(caption.size()));
    } else {
      const UniqueHbrush pen(CreateSolidBrush(colorRef(colors.text)));
      for (const Rect& b : pictureBlocks(key.KeyImage, inner, dpi_)) {
        const RECT r{b.left, b.top, b.right, b.bottom};
        FillRect(dc, &r, pen.get());
      }
    }
  }
  SelectClipRgn(dc, nullptr);
}

}  // namespace orvanta
