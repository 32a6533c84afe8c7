// The keyboard's window under Wine: painted pixels, the platform's input layout, input
// language changes and repaints.
#include "keyboard/touch_keyboard_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "fakes/fake_keyboard_translation.h"
#include "fakes/fake_message_boxes_win.h"
#include "keyboard/painted_keyboard_win.h"
#include "layouts/keyboard_layouts_win.h"
#include "support/pump_win.h"
#include "ui/application_win.h"
#include "ui/keyboard_translation_win.h"

namespace orvanta {
namespace {

using test::between;
using test::closeTo;
using test::PaintedBitmap;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kCream{255, 251, 240};

class Host final : public Window {
 public:
  explicit Host(Application& app) : Window(app) {
    setFont({.face = L"MS Sans Serif", .heightPx = 11});
    createTopLevel({.className = L"KeyboardHost",
                    .caption = "Keyboard host",
                    .clientWidth = 1280,
                    .clientHeight = 200,
                    .position = POINT{0, 0}});
  }
};

// Counts the full repaints the window makes.
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

// Reports what the test's language says.
class LanguageOf final : public InputLanguage {
 public:
  explicit LanguageOf(InputLanguage& language) : language_(language) {}
  std::optional<LocaleNames> current() override { return language_.current(); }

 private:
  InputLanguage& language_;
};

class TouchKeyboardWinTest : public ::testing::Test {
 protected:
  void SetUp() override { loadLayoutsFromModule(layouts, GetModuleHandleW(nullptr)); }

  // The platform's input layout and language; the language that `language` reports when
  // given one to start with.
  CountingKeyboard& make(int width, std::optional<LocaleNames> names = std::nullopt) {
    TTouchKeyboard::Platform platform = TTouchKeyboard::platform();
    platform.layouts = &layouts;
    if (names) {
      language.names = names;
      platform.inputLanguage = std::make_unique<LanguageOf>(language);
    }
    keyboard = std::make_unique<CountingKeyboard>(app, std::move(platform));
    keyboard->create(host, {0, 10, width, 180});
    keyboard->model().setDrawingStyle(KeyboardDrawingStyle::dsGradient);
    keyboard->model().setGradientStart(kGrey);
    keyboard->model().setGradientEnd(kSilver);
    return *keyboard;
  }

  size_t indexOf(int scanCode, int nth = 0) const {
    const auto& keys = keyboard->model().Buttons();
    for (size_t i = 0; i < keys.size(); ++i) {
      if (keys[i].Key.ScanCode == scanCode && nth-- == 0) return i;
    }
    ADD_FAILURE() << "no key with scan code " << scanCode;
    return 0;
  }
  const TCustomKeyboardButton& key(int scanCode, int nth = 0) const {
    return keyboard->model().Buttons(indexOf(scanCode, nth));
  }

  void pump() { test::ThreadMessages().processMessages(); }

  test::FakeMessageBoxes boxes;
  Application app{boxes};
  TKeyboardLayouts layouts;
  test::FakeInputLanguage language{std::nullopt};
  Host host{app};
  std::unique_ptr<CountingKeyboard> keyboard;
};

// Outlines, fill and text of a key in its look, sampled away from its caption.
void expectKeyLook(const PaintedBitmap& p, const TCustomKeyboardButton& key, KeyLook look) {
  const KeyColors& c = keyColors(look);
  const Rect r = key.ClientRect();
  const int middle = (r.left + r.right) / 2 + 8;  // right of a one-letter caption
  EXPECT_EQ(p.at(middle, r.top), c.outer) << key.Key.ScanCode;
  EXPECT_EQ(p.at(middle, r.bottom - 1), c.outer) << key.Key.ScanCode;
  EXPECT_EQ(p.at(r.left, (r.top + r.bottom) / 2), c.outer) << key.Key.ScanCode;
  EXPECT_EQ(p.at(middle, r.top + 1), c.inner) << key.Key.ScanCode;
  EXPECT_EQ(p.at(r.right - 2, (r.top + r.bottom) / 2), c.inner) << key.Key.ScanCode;
  // The gradient runs over the fill area, one pixel taller than the key.
  for (int y : {r.top + 3, (r.top + r.bottom) / 2, r.bottom - 3}) {
    EXPECT_TRUE(closeTo(p.at(r.right - 4, y), between(c.top, c.bottom, r.top, r.bottom + 1, y), 3))
        << key.Key.ScanCode << " at y " << y;
  }
}

// Pixels of the caption all lie right of and below R' + 4, and there are some.
void expectCaptionAt(const PaintedBitmap& p, const TCustomKeyboardButton& key, Rgb text) {
  const Rect inner = key.ClientRect().inset(1);
  int inside = 0;
  for (int y = inner.top + 1; y < inner.bottom - 1; ++y) {
    for (int x = inner.left + 1; x < inner.right - 1; ++x) {
      if (!closeTo(p.at(x, y), text, 40)) continue;
      EXPECT_GE(x, inner.left + 4) << key.Caption;
      EXPECT_GE(y, inner.top + 4) << key.Caption;
      ++inside;
    }
  }
  EXPECT_GT(inside, 10) << key.Caption;
}

// Lines of the picture: covered from each start up to, not including, its end.
void expectPicture(const PaintedBitmap& p, const TCustomKeyboardButton& key, Rgb pen) {
  const Rect inner = key.ClientRect().inset(1);
  for (const KeyPolyline& line : pictureLines(key.KeyImage, inner)) {
    for (size_t i = 0; i + 1 < line.size(); ++i) {
      const Point a = line[i];
      const Point b = line[i + 1];
      EXPECT_EQ(p.at(a.x, a.y), pen) << int(key.KeyImage) << " start " << a.x << "," << a.y;
      const Point beforeEnd{b.x - (b.x > a.x) + (b.x < a.x), b.y - (b.y > a.y) + (b.y < a.y)};
      EXPECT_EQ(p.at(beforeEnd.x, beforeEnd.y), pen) << int(key.KeyImage);
    }
  }
}

TEST_F(TouchKeyboardWinTest, PaintsKeysPicturesAndBackgroundAtTwoWidths) {
  for (int width : {848, 1280}) {
    TTouchKeyboard& k = make(width);
    ASSERT_EQ(k.model().size().width, width);
    k.model().setLook(indexOf(17), KeyLook::dsPressed, false);
    k.model().setLook(indexOf(18), KeyLook::dsDisabled, false);
    PaintedBitmap p(width, 180);
    k.paintTo(p.dc());

    expectKeyLook(p, key(16), KeyLook::dsNormal);
    expectKeyLook(p, key(17), KeyLook::dsPressed);
    expectKeyLook(p, key(18), KeyLook::dsDisabled);
    expectCaptionAt(p, key(16), kWhite);
    expectCaptionAt(p, key(17), kBlack);
    expectCaptionAt(p, key(1), kWhite);  // "Esc"
    expectPicture(p, key(15), kWhite);   // Tab
    expectPicture(p, key(28), kWhite);   // Enter
    // Ends of lines are left out: the Enter's upright stops above y + 13, the Tab's lower
    // line before x + 41.
    const Rect enter = key(28).ClientRect().inset(1);
    EXPECT_NE(p.at(enter.left + 40, enter.top + 13), kWhite);
    const Rect tab = key(15).ClientRect().inset(1);
    EXPECT_EQ(p.at(tab.left + 40, tab.top + 20), kWhite);
    EXPECT_NE(p.at(tab.left + 41, tab.top + 20), kWhite);

    // Between two keys of rows 1, 2 and 4, and between rows 0 and 1: the background's
    // gradient.
    for (const TCustomKeyboardButton* left : {&key(16), &key(31), &key(29)}) {
      const Rect r = left->ClientRect();
      const int y = (r.top + r.bottom) / 2;
      EXPECT_TRUE(closeTo(p.at(r.right + 2, y), between(kGrey, kSilver, 0, 180, y), 2))
          << width << " right of " << left->Key.ScanCode;
    }
    EXPECT_TRUE(closeTo(p.at(width / 2, 36), between(kGrey, kSilver, 0, 180, 36), 2));
    // Nothing left unpainted.
    for (int x = 0; x < width; x += 7) {
      for (int y = 0; y < 180; y += 5) ASSERT_NE(p.at(x, y), (Rgb{255, 0, 255})) << x << "," << y;
    }
  }
}

TEST_F(TouchKeyboardWinTest, PlainBackgroundWithoutTheGradient) {
  TTouchKeyboard& k = make(848);
  k.model().setDrawingStyle(KeyboardDrawingStyle::dsNormal);
  PaintedBitmap p(848, 180);
  k.paintTo(p.dc());
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Rgb expected{GetRValue(face), GetGValue(face), GetBValue(face)};
  EXPECT_EQ(p.at(key(16).ClientRect().right + 2, 54), expected);
}

TEST_F(TouchKeyboardWinTest, CaptionsFollowTheUsersInputLayout) {
  // Set for the run whose X display has the Brazilian keyboard and a Portuguese locale.
  const char* expected = std::getenv("ORVANTA_EXPECT_INPUT_LAYOUT");
  const bool brazilian = expected && std::string(expected) == "br";
  TTouchKeyboard& k = make(848);
  if (brazilian) {
    EXPECT_EQ(k.model().language(), "pt-BR");
    EXPECT_EQ(k.model().currentLayout()->KeyboardName, "Standard102");
    EXPECT_EQ(key(39).Caption, "ç");  // right of L
    EXPECT_EQ(key(58).Caption, "Maiú.");
    EXPECT_EQ(key(27).Caption, "[");
    EXPECT_EQ(key(53).Caption, ";");
  } else {
    EXPECT_EQ(k.model().language(), "en-US");
    EXPECT_EQ(k.model().currentLayout()->KeyboardName, "Standard101");
    EXPECT_EQ(key(39).Caption, ";");
    EXPECT_EQ(key(58).Caption, "Caps");
    EXPECT_EQ(key(27).Caption, "]");
    EXPECT_EQ(key(53).Caption, "/");
  }
  EXPECT_EQ(key(16).Caption, "q");
  EXPECT_EQ(key(2).Caption, "1");
  k.model().setLatched(indexOf(42), true);
  k.model().Redraw();
  EXPECT_EQ(key(16).Caption, "Q");
  EXPECT_EQ(key(2).Caption, "!");
  k.model().setLatched(indexOf(42), false);
  k.model().setLatched(indexOf(-2), true);
  k.model().Redraw();
  EXPECT_EQ(key(2).Caption, "F1");
}

// The thread's keyboard state, given back when the test ends.
class KeyboardStateGuard {
 public:
  KeyboardStateGuard() { GetKeyboardState(saved_); }
  ~KeyboardStateGuard() { SetKeyboardState(saved_); }
  void setCapsLock(bool on) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CAPITAL] = on ? 1 : 0;
    SetKeyboardState(state);
  }

 private:
  BYTE saved_[256];
};

TEST_F(TouchKeyboardWinTest, ThePlatformsTranslationAndCapsLock) {
  WinKeyboardTranslation translation;
  EXPECT_EQ(translation.virtualKeyFromScanCode(16), 'Q');
  EXPECT_EQ(translation.scanCodeFromVirtualKey(VK_LEFT), 75);
  EXPECT_EQ(translation.keyText('Q', 16, false), "q");
  EXPECT_EQ(translation.keyText('Q', 16, true), "Q");
  EXPECT_EQ(translation.keyText(0, 0, false), "");
  EXPECT_FALSE(translation.isDeadKey('Q', 16));
  EXPECT_TRUE(WinInputLanguage().current().has_value());

  KeyboardStateGuard state;
  state.setCapsLock(true);
  EXPECT_TRUE(translation.capsLockOn());
  make(848);
  EXPECT_TRUE(key(58).Down);
  EXPECT_EQ(key(58).State, KeyLook::dsPressed);
  EXPECT_EQ(key(16).Caption, "Q");
  state.setCapsLock(false);
  EXPECT_FALSE(translation.capsLockOn());
}

TEST_F(TouchKeyboardWinTest, AnInputLanguageChangeRebuildsAndRepaintsOnce) {
  CountingKeyboard& k = make(848, LocaleNames{"pt", "BR"});
  host.show();
  UpdateWindow(host.hwnd());
  pump();
  EXPECT_EQ(k.model().currentLayout()->KeyboardName, "Standard102");
  k.paints = 0;

  language.names = LocaleNames{"en", "US"};
  SendMessageW(k.hwnd(), WM_INPUTLANGCHANGE, 0, reinterpret_cast<LPARAM>(GetKeyboardLayout(0)));
  pump();
  EXPECT_EQ(k.model().currentLayout()->KeyboardName, "Standard101");
  EXPECT_EQ(key(58).Caption, "Caps");
  EXPECT_EQ(k.paints, 1);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(TouchKeyboardWinTest, AChangeWhileHiddenShowsWhenShown) {
  TTouchKeyboard& k = make(848, LocaleNames{"en", "US"});
  k.setVisible(false);
  host.show();
  language.names = LocaleNames{"ja", "JP"};
  SendMessageW(k.hwnd(), WM_INPUTLANGCHANGE, 0, reinterpret_cast<LPARAM>(GetKeyboardLayout(0)));
  k.setVisible(true);
  EXPECT_EQ(k.model().currentLayout()->KeyboardName, "Standard106");
  EXPECT_EQ(k.model().Buttons().size(), 70u);
}

TEST_F(TouchKeyboardWinTest, ACheckRebuildsOnlyForAChangeItMissed) {
  CountingKeyboard& k = make(848, LocaleNames{"pt", "BR"});
  host.show();
  UpdateWindow(host.hwnd());
  pump();
  k.paints = 0;
  k.checkInputLanguage();
  pump();
  EXPECT_EQ(k.paints, 0);

  language.names = LocaleNames{"en", "US"};
  k.checkInputLanguage();
  pump();
  EXPECT_EQ(k.model().currentLayout()->KeyboardName, "Standard101");
  // At least the rebuild's own paint; a busy display may still send a late exposure.
  EXPECT_GE(k.paints, 1);

  // A language the platform cannot name is reported by the change notification, not here.
  language.names.reset();
  k.checkInputLanguage();
  EXPECT_EQ(k.model().currentLayout()->KeyboardName, "Standard101");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(TouchKeyboardWinTest, FailuresToNameTheLanguage) {
  // At creation: the keyboard, and so the session window, is not created.
  language.names.reset();
  TTouchKeyboard::Platform platform = TTouchKeyboard::platform();
  platform.inputLanguage = std::make_unique<LanguageOf>(language);
  try {
    TTouchKeyboard failed(app, std::move(platform));
    ADD_FAILURE() << "created without an input language";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Error retrieving locale information");
  }

  // On a change: the application's error box; the keys stay.
  language.names = LocaleNames{"en", "US"};
  TTouchKeyboard& k = make(848, LocaleNames{"en", "US"});
  language.names.reset();
  SendMessageW(k.hwnd(), WM_INPUTLANGCHANGE, 0, reinterpret_cast<LPARAM>(GetKeyboardLayout(0)));
  k.model().setLayout("Compact");
  EXPECT_TRUE(k.model().Buttons().empty());
  language.names = LocaleNames{"en", "US"};
  SendMessageW(k.hwnd(), WM_INPUTLANGCHANGE, 0, reinterpret_cast<LPARAM>(GetKeyboardLayout(0)));
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].text, L"Error retrieving locale information.");
  EXPECT_EQ(boxes.boxes[1].text, L"Failed to change input language.");
}

TEST_F(TouchKeyboardWinTest, NeverErasesAndRepaintsOneKeyOnTheScreen) {
  TTouchKeyboard& k = make(848);
  host.show();
  UpdateWindow(host.hwnd());
  pump();
  PaintedBitmap untouched(848, 180);
  EXPECT_NE(SendMessageW(k.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(untouched.dc()), 0), 0);
  EXPECT_EQ(untouched.at(400, 90), (Rgb{255, 0, 255}));

  // A look change paints the key straight onto the window, before any paint message.
  const TCustomKeyboardButton& q = key(16);
  const Rect r = q.ClientRect();
  WindowDc window(k.hwnd());
  EXPECT_EQ(GetPixel(window.get(), r.left + 10, r.top), RGB(0, 0, 0));
  k.model().setLook(indexOf(16), KeyLook::dsPressed, true);
  EXPECT_EQ(GetPixel(window.get(), r.left + 10, r.top), RGB(255, 251, 240));
  EXPECT_FALSE(GetUpdateRect(k.hwnd(), nullptr, FALSE));
}

TEST_F(TouchKeyboardWinTest, NarrowerThanTheMinimumTheKeyboardRunsPastTheEdge) {
  TTouchKeyboard& k = make(848);
  k.setBounds({0, 10, 500, 150});
  RECT r;
  GetClientRect(k.hwnd(), &r);
  EXPECT_EQ(r.right, 550);
  EXPECT_EQ(r.bottom, 180);
  EXPECT_EQ(k.model().Buttons().back().BoundsRect().right, 550);
  k.setBounds({0, 10, 1000, 180});
  GetClientRect(k.hwnd(), &r);
  EXPECT_EQ(r.right, 1000);
}

}  // namespace
}  // namespace orvanta
