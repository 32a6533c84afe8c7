// Full repaints of the on-screen keyboard at 1920 x 180, as the session window shows it, and
// how many full repaints a change of layout costs. Windows build, run under Wine.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "keyboard/touch_keyboard_win.h"
#include "layouts/keyboard_layouts_win.h"
#include "ui/application_win.h"

namespace orvanta {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 180;
constexpr int kRuns = 301;

class Host final : public Window {
 public:
  explicit Host(Application& app) : Window(app) {
    setFont({.face = L"MS Sans Serif", .heightPx = 11});
    createTopLevel({.className = L"KeyboardBench",
                    .caption = "Keyboard bench",
                    .clientWidth = kWidth,
                    .clientHeight = kHeight + 20,
                    .position = POINT{0, 0},
                    .style = WS_POPUP});
  }
};

class CountingKeyboard final : public TTouchKeyboard {
 public:
  using TTouchKeyboard::TTouchKeyboard;
  int paints = 0;

 protected:
  void onPaint(HDC dc, const RECT& dirty) override {
    ++paints;
    TTouchKeyboard::onPaint(dc, dirty);
  }
};

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

double medianMs(const std::function<void()>& work) {
  for (int i = 0; i < 20; ++i) work();
  std::vector<double> ms;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::nth_element(ms.begin(), ms.begin() + kRuns / 2, ms.end());
  return ms[kRuns / 2];
}

int run() {
  TKeyboardLayouts layouts;
  loadLayoutsFromModule(layouts, GetModuleHandleW(nullptr));
  Application app;
  Host host(app);
  TTouchKeyboard::Platform platform = TTouchKeyboard::platform();
  platform.layouts = &layouts;
  CountingKeyboard keyboard(app, std::move(platform));
  keyboard.create(host, {0, 0, kWidth, kHeight});
  keyboard.model().setDrawingStyle(KeyboardDrawingStyle::dsGradient);
  keyboard.model().setGradientStart({128, 128, 128});
  keyboard.model().setGradientEnd({192, 192, 192});
  host.show();
  UpdateWindow(host.hwnd());
  pump();

  WindowDc screen(keyboard.hwnd());
  const double direct = medianMs([&] {
    keyboard.paintTo(screen.get());
    GdiFlush();
  });
  const double message = medianMs([&] {
    InvalidateRect(keyboard.hwnd(), nullptr, FALSE);
    UpdateWindow(keyboard.hwnd());
  });

  const auto repaintsFor = [&](const std::function<void()>& change) {
    pump();
    keyboard.paints = 0;
    change();
    pump();
    return keyboard.paints;
  };
  const int languageChange = repaintsFor([&] {
    SendMessageW(keyboard.hwnd(), WM_INPUTLANGCHANGE, 0,
                 reinterpret_cast<LPARAM>(GetKeyboardLayout(0)));
  });
  const int layoutChange = repaintsFor([&] { keyboard.model().setLayout("NumPad"); });
  const int layoutBack = repaintsFor([&] { keyboard.model().setLayout("Standard"); });

  std::printf("on-screen keyboard %d x %d, %zu keys (%s), median of %d\n", kWidth, kHeight,
              keyboard.model().Buttons().size(),
              keyboard.model().currentLayout()->KeyboardName.c_str(), kRuns);
  std::printf("  full repaint (off-screen bitmap, one copy to the window): %.3f ms\n", direct);
  std::printf("  full repaint through WM_PAINT (InvalidateRect + UpdateWindow): %.3f ms\n",
              message);
  std::printf("  full repaints per change: input language %d, layout %d and back %d\n",
              languageChange, layoutChange, layoutBack);
  return 0;
}

}  // namespace
}  // namespace orvanta

int main() {
  return orvanta::run();
}
