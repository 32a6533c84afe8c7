#include "help/help_window_win.h"

#include <cstdint>
#include <stdexcept>

#include "ui/dpi_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

namespace {

// On a screen too small for the whole window the text is narrowed down to this (96 dpi).
constexpr int kSmallestTextWidth = 200;

// Each pixel of the picture averages this many by this many drawn ones: GDI draws curves
// without anti-aliasing, and the average smooths their edges.
constexpr int kOversampling = 3;

// A 32-bit top-down bitmap and where its pixels are.
UniqueHbitmap makeBitmap(int width, int height, std::uint32_t*& pixels) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueHbitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) throw std::runtime_error("CreateDIBSection failed");
  pixels = static_cast<std::uint32_t*>(bits);
  return bitmap;
}

// The picture is designed at `design` (96 dpi) and drawn for `dpi`.
UniqueHbitmap drawPicture(SIZE design, int dpi, void (*paint)(HDC, const RECT&)) {
  const SIZE size{scaleToDpi(design.cx, dpi), scaleToDpi(design.cy, dpi)};
  const int bigWidth = size.cx * kOversampling;
  const int bigHeight = size.cy * kOversampling;
  std::uint32_t* big = nullptr;
  const UniqueHbitmap canvas = makeBitmap(bigWidth, bigHeight, big);
  {
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const SelectGuard select(dc.get(), canvas.get());
    SetGraphicsMode(dc.get(), GM_ADVANCED);
    const FLOAT factor = static_cast<FLOAT>(kOversampling * dpi) / kDesignDpi;
    const XFORM scale{factor, 0, 0, factor, 0, 0};
    SetWorldTransform(dc.get(), &scale);
    const RECT area{0, 0, design.cx, design.cy};
    FillRect(dc.get(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    paint(dc.get(), area);
    GdiFlush();
  }
  std::uint32_t* small = nullptr;
  UniqueHbitmap picture = makeBitmap(size.cx, size.cy, small);
  constexpr int kSamples = kOversampling * kOversampling;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      std::uint32_t sum[3] = {0, 0, 0};
      for (int dy = 0; dy < kOversampling; ++dy) {
        const std::uint32_t* row = big + (y * kOversampling + dy) * bigWidth + x * kOversampling;
        for (int dx = 0; dx < kOversampling; ++dx) {
          for (int channel = 0; channel < 3; ++channel)
            sum[channel] += (row[dx] >> (8 * channel)) & 0xFF;
        }
      }
      small[y * size.cx + x] =
          (sum[2] / kSamples) << 16 | (sum[1] / kSamples) << 8 | sum[0] / kSamples;
    }
  }
  return picture;
}

}  // namespace

HelpWindow::HelpWindow(Application& app, const Layout& layout, Painter paint, std::string_view text)
    : Window(app), picture_(layout.picture), paint_(paint) {
  setColor(RGB(255, 255, 255));
  createWhenNeeded([this, layout, text = std::string(text)] { create(layout, text); });
}

void HelpWindow::create(const Layout& layout, std::string_view text) {
  createTopLevel(
      {.className = layout.className,
       .caption = layout.caption,
       .clientWidth = layout.client.cx,
       .clientHeight = layout.client.cy,
       .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
       .smallestClient = SIZE{layout.picture.cx + kSmallestTextWidth, layout.client.cy}});
  Image1.create(*this, {0, 0, layout.picture.cx, layout.picture.cy});
  Image1.setBitmap([this] { return drawPicture(picture_, dpi(), paint_); });
  Memo1.create(*this,
               {layout.picture.cx, 0, layout.client.cx - layout.picture.cx, layout.picture.cy},
               text, {.multiLine = true, .readOnly = true});
  createControls();
  const SIZE client = clientSize();
  onResize(client.cx, client.cy);
}

HelpWindow::~HelpWindow() {
  // Activation messages use the controls, which go before the base window does.
  destroy();
}

void HelpWindow::onDpiChanged() {
  Image1.setBitmap([this] { return drawPicture(picture_, dpi(), paint_); });
}

void HelpWindow::onResize(int clientWidth, int) {
  if (!Memo1.hwnd()) return;  // while the window is being made
  const Bounds text = scale(Bounds{picture_.cx, 0, 0, picture_.cy});
  Memo1.setBounds({text.left, 0, clientWidth - text.left, text.height});
}

LRESULT HelpWindow::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ACTIVATE) {
    // Like a dialog: the focus comes back to the control that had it, at first the text, so
    // the keys scroll it at once.
    if (LOWORD(wParam) == WA_INACTIVE) {
      const HWND current = GetFocus();
      if (current && IsChild(hwnd(), current)) focus_ = current;
    } else if (focus_ && IsChild(hwnd(), focus_)) {
      SetFocus(focus_);
    } else {
      Memo1.setFocus();
    }
    return 0;
  }
  return Window::handleMessage(msg, wParam, lParam);
}

}  // namespace orvanta
