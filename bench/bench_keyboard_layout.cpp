// The portable part of a layout change of the on-screen keyboard, natively: building the keys
// for the input language (placement at 1920 x 180 and every caption through a table input
// layout), and placing them again for a new width.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "fakes/fake_keyboard_translation.h"
#include "fakes/fake_timer.h"
#include "keyboard/keyboard_model.h"
#include "resources/keyboard_layouts_data.h"

namespace {

using namespace orvanta;
constexpr int kRuns = 1001;

class NoView final : public KeyboardView {
 public:
  void invalidate() override { ++invalidations; }
  void paintKey(const TCustomKeyboardButton&) override {}
  int invalidations = 0;
};

double medianUs(const std::function<void()>& work) {
  for (int i = 0; i < 50; ++i) work();
  std::vector<double> us;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::nth_element(us.begin(), us.begin() + kRuns / 2, us.end());
  return us[kRuns / 2];
}

}  // namespace

int main() {
  TKeyboardLayouts layouts;
  for (const LayoutResource& r : embeddedLayoutResources()) layouts.LoadFromStream(r.data);
  test::FakeKeyboardTranslation translation(test::brazilianKeys());
  test::FakeInputLanguage language(LocaleNames{"pt", "BR"});
  test::FakeTimerService clock;
  test::FakeTimer timer(clock);
  NoView view;
  KeyboardModel keyboard({layouts, translation, language, timer}, view);
  keyboard.setSize({1920, 180});
  keyboard.buildKeys();

  const double build = medianUs([&] { keyboard.buildKeys(); });
  int width = 1920;
  const double place = medianUs([&] {
    width = width == 1920 ? 1919 : 1920;
    keyboard.setSize({width, 180});
  });
  view.invalidations = 0;
  keyboard.inputLanguageChanged();
  std::printf("on-screen keyboard keys, natively, %zu keys (%s), median of %d\n",
              keyboard.Buttons().size(), keyboard.currentLayout()->KeyboardName.c_str(), kRuns);
  std::printf("  building the keys (placement and captions): %.1f us\n", build);
  std::printf("  placing them for a new width: %.1f us\n", place);
  std::printf("  full repaints asked for per input-language change: %d\n", view.invalidations);
  return 0;
}
