// The on-screen keyboard's input: pointer scripts on a virtual clock, and what reaches the
// platform, how the keys look and what stays latched.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "keyboard/key_resolution.h"
#include "keyboard/keyboard_input.h"
#include "keyboard/keyboard_rig.h"

namespace orvanta {
namespace {

using test::KeyboardRig;

constexpr int kFn = kScanCodeFn;

struct Step {
  enum Kind { Down, Move, Up, UpNowhere, Leave, Wait, Hide, Rebuild, Destroy } kind;
  int scanCode = 0;
  int id = 0;
  int nth = 0;  // which key of those with this scan code (left or right Shift …)
  int ms = 0;
};

Step down(int scanCode, int id = 0, int nth = 0) {
  return {Step::Down, scanCode, id, nth};
}
Step move(int scanCode, int id = 0, int nth = 0) {
  return {Step::Move, scanCode, id, nth};
}
Step up(int scanCode, int id = 0, int nth = 0) {
  return {Step::Up, scanCode, id, nth};
}
Step upNowhere(int id = 0) {
  return {Step::UpNowhere, 0, id};
}
Step wait(int ms) {
  return {Step::Wait, 0, 0, 0, ms};
}
const Step kLeave{Step::Leave};
const Step kHide{Step::Hide};
const Step kRebuild{Step::Rebuild};
const Step kDestroy{Step::Destroy};

// Where the pointer goes for a key: the middle of its bounds.
void run(KeyboardRig& rig, const Step& step) {
  test::TestKeyboard* keyboard = rig.keyboard.get();
  auto middle = [&](auto&& act) {
    const TCustomKeyboardButton& key = rig.key(step.scanCode, step.nth);
    act(key.Left + key.Width / 2, key.Top + key.Height / 2);
  };
  switch (step.kind) {
    case Step::Down:
      middle([&](int x, int y) { keyboard->input.pointerDown(step.id, x, y); });
      break;
    case Step::Move:
      middle([&](int x, int y) { keyboard->input.pointerMove(step.id, x, y); });
      break;
    case Step::Up:
      middle([&](int x, int y) { keyboard->input.pointerUp(step.id, x, y); });
      break;
    case Step::UpNowhere:
      keyboard->input.pointerUp(step.id, keyboard->model.size().width + 20, 10);
      break;
    case Step::Leave:
      keyboard->input.pointerLeave();
      break;
    case Step::Wait:
      rig.clock.advance(step.ms);
      break;
    case Step::Hide:
      keyboard->input.releaseAll();
      break;
    case Step::Rebuild:
      keyboard->model.inputLanguageChanged();
      break;
    case Step::Destroy:
      rig.keyboard.reset();
      break;
  }
}

std::vector<std::string> sentSince(const KeyboardRig& rig, size_t from) {
  std::vector<std::string> sent;
  for (size_t i = from; i < rig.injector.sent.size(); ++i) {
    sent.push_back(test::describe(rig.injector.sent[i]));
  }
  return sent;
}

std::vector<int> latchedScanCodes(const KeyboardModel& keyboard) {
  std::vector<int> codes;
  for (size_t key : keyboard.latched()) codes.push_back(keyboard.Buttons(key).Key.ScanCode);
  return codes;
}

std::vector<std::string> repeated(const std::string& key, int times) {
  return std::vector<std::string>(static_cast<size_t>(times), key);
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Case {
  const char* name;
  bool brazilian;
  std::vector<Step> script;
  std::vector<std::string> sent;
  std::vector<int> latched;       // scan codes, in latching order
  std::vector<int> pressedLooks;  // scan codes of keys that look pressed afterwards
};

const Case kCases[] = {
    {"shift applies to the next key and is let go after it",
     false,
     {down(42), up(42), down(30), up(30)},
     {"down 16/42", "down 65/30", "up 65/30", "up 16/42"},
     {},
     {}},
    {"a second tap on shift lets it go when it lifts",
     false,
     {down(42), up(42), down(42), up(42)},
     {"down 16/42", "up 16/42"},
     {},
     {}},
    {"the other shift key is the same key",
     false,
     {down(42), up(42), down(42, 0, 1), up(42, 0, 1)},
     {"down 16/42", "up 16/42"},
     {},
     {}},
    {"one tap on shift latches it and shows both shift keys pressed",
     false,
     {down(42), up(42)},
     {"down 16/42"},
     {42},
     {42, 42}},
    {"caps lock switches at the platform when the finger lifts and stays latched",
     false,
     {down(58), up(58), down(30), up(30)},
     {"down 20/58", "up 20/58", "down 65/30", "up 65/30"},
     {58},
     {58}},
    {"a second tap on caps lock switches it back",
     false,
     {down(58), up(58), down(58), up(58)},
     {"down 20/58", "up 20/58", "down 20/58", "up 20/58"},
     {},
     {}},
    {"fn sends nothing itself, turns 2 into F2 and stays latched",
     false,
     {down(kFn), up(kFn), down(3), up(3), down(3), up(3)},
     {"down 113/60", "up 113/60", "down 113/60", "up 113/60"},
     {kFn},
     {kFn}},
    {"a held key repeats after 300 ms every 50 ms",
     false,
     {down(30), wait(1000), up(30)},
     repeated("down 65/30", 15) + std::vector<std::string>{"down 65/30", "up 65/30"},
     {},
     {}},
    {"a finger holding shift shifts every key typed until it lifts",
     false,
     {down(42, 1), down(30, 2), up(30, 2), down(48, 2), up(48, 2), up(42, 1)},
     {"down 16/42", "down 65/30", "up 65/30", "down 66/48", "up 66/48", "up 16/42"},
     {},
     {}},
    {"sliding onto a neighbour types only the neighbour",
     false,
     {down(30), move(31), up(31)},
     {"down 83/31", "up 83/31"},
     {},
     {}},
    {"sliding away from a repeating key releases it",
     false,
     {down(30), wait(400), move(31), wait(400), up(31)},
     repeated("down 65/30", 3) + std::vector<std::string>{"up 65/30", "down 83/31", "up 83/31"},
     {},
     {}},
    {"the mouse leaving lets go of held keys and of latched modifiers",
     false,
     {down(42), up(42), down(30), kLeave},
     {"down 16/42", "up 16/42"},
     {},
     {}},
    {"the mouse leaving with nothing held keeps shift latched",
     false,
     {down(42), up(42), kLeave},
     {"down 16/42"},
     {42},
     {42, 42}},
    {"arrow keys go to the focused window as messages",
     false,
     {down(75), up(75), down(72), up(72)},
     {"msg down 37", "msg up 37", "msg down 38", "msg up 38"},
     {},
     {}},
    {"shift, ctrl and alt latched in turn all apply to the next key and are all let go",
     false,
     {down(42), up(42), down(29), up(29), down(56), up(56), down(30), up(30)},
     {"down 16/42", "down 17/29", "down 18/56", "down 65/30", "up 65/30", "up 16/42", "up 17/29",
      "up 18/56"},
     {},
     {}},
    {"three modifiers latched stay latched and shown",
     false,
     {down(42), up(42), down(29), up(29), down(56), up(56)},
     {"down 16/42", "down 17/29", "down 18/56"},
     {42, 29, 56},
     {42, 42, 29, 56, 56, 29}},
    {"hiding lets go of latched modifiers and keeps caps lock",
     false,
     {down(58), up(58), down(42), up(42), kHide},
     {"down 20/58", "up 20/58", "down 16/42", "up 16/42"},
     {58},
     {58}},
    {"hiding while a finger holds a repeating key releases it",
     false,
     {down(30, 3), wait(350), kHide, wait(500)},
     {"down 65/30", "down 65/30", "up 65/30"},
     {},
     {}},
    {"rebuilding lets go of latched and held keys first",
     false,
     {down(29), up(29), down(42, 1), down(30, 2), wait(300), kRebuild, up(30, 2), up(42, 1)},
     {"down 17/29", "down 16/42", "down 65/30", "up 65/30", "up 17/29", "up 16/42"},
     {},
     {}},
    {"a caps lock finger lifted by a rebuild never switches it",
     false,
     {down(58), kRebuild},
     {},
     {},
     {}},
    {"lifting where no key lies ends the hold and types nothing",
     false,
     {down(30), wait(350), upNowhere(), wait(500)},
     {"down 65/30", "down 65/30", "up 65/30"},
     {},
     {}},
    {"a finger that went down on shift never slides",
     false,
     {down(42), move(30), up(30)},
     {"down 16/42"},
     {42},
     {42, 42}},
    {"a finger that went down on caps lock switches it wherever it lifts",
     false,
     {down(58), move(30), up(30)},
     {"down 20/58", "up 20/58"},
     {58},
     {58}},
    {"a key slid onto shift is lifted there without typing",
     false,
     {down(30), move(42), up(42)},
     {},
     {},
     {}},
    {"destroying the keyboard releases every latched key, AltGr as its two keys",
     true,
     {down(-1), up(-1), down(42), up(42), kDestroy},
     {"down 17/0", "down 18/0", "down 16/42", "up 17/0", "up 18/0", "up 16/42"},
     {},
     {}},
    {"a dead key is sent right before the next key",
     true,
     {down(26), up(26), down(18), up(18)},
     {"down 219/26", "up 219/26", "down 69/18", "up 69/18"},
     {},
     {}},
    {"a shifted dead key is replayed with shift before the next key",
     true,
     {down(42), up(42), down(26), up(26), down(18), up(18)},
     {"down 16/42", "up 16/42", "down 16/42", "down 219/26", "up 16/42", "up 219/26", "down 69/18",
      "up 69/18"},
     {},
     {}},
    {"of two dead keys in a row only the second is sent",
     true,
     {down(26), up(26), down(40), up(40), down(30), up(30)},
     {"down 222/40", "up 222/40", "down 65/30", "up 65/30"},
     {},
     {}},
    {"a dead key tapped with shift latched and typed with ctrl latched",
     true,
     {down(42), up(42), down(26), up(26), down(29), up(29), down(18), up(18)},
     {"down 16/42", "up 16/42", "down 17/29", "up 17/29", "down 16/42", "down 219/26", "up 16/42",
      "up 219/26", "down 17/29", "down 69/18", "up 69/18", "up 17/29"},
     {},
     {}},
    {"a dead key tapped while a finger holds shift is replayed shifted, the letter too",
     true,
     {down(42, 1), down(26, 2), up(26, 2), down(18, 2), up(18, 2), up(42, 1)},
     {"down 16/42", "up 16/42", "down 16/42", "down 219/26", "up 16/42", "up 219/26", "down 16/42",
      "down 69/18", "up 69/18", "up 16/42"},
     {},
     {}},
};

TEST(KeyboardInputTest, PointerScripts) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    KeyboardRig rig =
        c.brazilian ? KeyboardRig({"pt", "BR"}, test::brazilianKeys()) : KeyboardRig();
    rig.built();
    for (const Step& step : c.script) run(rig, step);
    EXPECT_EQ(sentSince(rig, 0), c.sent);
    if (!rig.keyboard) continue;
    EXPECT_EQ(latchedScanCodes(rig.keyboard->model), c.latched);
    rig.clock.advance(200);  // queued looks applied
    std::vector<int> pressedLooks;
    for (const TCustomKeyboardButton& key : rig.keyboard->model.Buttons()) {
      if (key.State == KeyLook::dsPressed) pressedLooks.push_back(key.Key.ScanCode);
    }
    std::vector<int> expectedLooks = c.pressedLooks;
    std::sort(pressedLooks.begin(), pressedLooks.end());
    std::sort(expectedLooks.begin(), expectedLooks.end());
    EXPECT_EQ(pressedLooks, expectedLooks);
  }
}

// Every code pair the key can stand for: its own and under each of its modifier entries.
std::set<int> virtualKeysOf(const KeyboardModel& keyboard, const TCustomKeyboardButton& key,
                            KeyboardTranslation& translation) {
  std::vector<std::vector<std::string>> latchedSets = {{}};
  for (const TKeyModifier& m : key.Key.Modifiers) latchedSets.push_back({m.ModifierName});
  std::set<int> keys;
  for (const auto& latched : latchedSets) {
    const TVirtualKey resolved = resolveKey(key.Key, keyboard.language(), latched);
    keys.insert(keyCodes({resolved.Vk, resolved.ScanCode}, translation).virtualKey);
    for (const TKeyData& combo : resolved.ComboKeys) {
      keys.insert(keyCodes(combo, translation).virtualKey);
    }
  }
  return keys;
}

// No key this keyboard pressed stays pressed unless the keyboard shows it latched or held.
::testing::AssertionResult nothingStuck(KeyboardRig& rig) {
  for (int pressed : rig.injector.pressed()) {
    bool shown = false;
    if (rig.keyboard) {
      for (const TCustomKeyboardButton& key : rig.keyboard->model.Buttons()) {
        if ((key.Down || key.ID != -1) && key.State == KeyLook::dsPressed &&
            virtualKeysOf(rig.keyboard->model, key, rig.translation).count(pressed)) {
          shown = true;
        }
      }
    }
    if (!shown) return ::testing::AssertionFailure() << "key " << pressed << " is stuck";
  }
  return ::testing::AssertionSuccess();
}

TEST(KeyboardInputTest, NoRandomScriptLeavesAKeyStuck) {
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  for (int script = 0; script < 300; ++script) {
    const bool brazilian = script % 2 == 1;
    KeyboardRig rig = brazilian ? KeyboardRig({"pt", "BR"}, test::brazilianKeys()) : KeyboardRig();
    rig.built();
    std::vector<std::string> trace;
    for (int n = 0; n < 40 && rig.keyboard; ++n) {
      const auto& keys = rig.keyboard->model.Buttons();
      const TCustomKeyboardButton& key = keys[static_cast<size_t>(pick(int(keys.size())))];
      const int x = key.Left + key.Width / 2;
      const int y = key.Top + key.Height / 2;
      const int scanCode = key.Key.ScanCode;
      const int id = pick(3);
      const int kind = pick(20);
      std::string what;
      if (kind < 6) {
        rig.keyboard->input.pointerDown(id, x, y);
        what = "down";
      } else if (kind < 9) {
        rig.keyboard->input.pointerMove(id, x, y);
        what = "move";
      } else if (kind < 15) {
        rig.keyboard->input.pointerUp(id, x, y);
        what = "up";
      } else if (kind == 15) {
        rig.keyboard->input.pointerUp(id, -5, -5);
        what = "up nowhere";
      } else if (kind == 16) {
        rig.keyboard->input.pointerLeave();
        what = "leave";
      } else if (kind == 17) {
        rig.keyboard->input.releaseAll();
        what = "hide";
      } else if (kind == 18) {
        rig.language.names = pick(2) ? LocaleNames{"pt", "BR"} : LocaleNames{"en", "US"};
        rig.keyboard->model.inputLanguageChanged();
        what = "rebuild for " + rig.keyboard->model.language();
      } else if (pick(4) == 0) {
        rig.keyboard.reset();
        what = "destroy";
      } else {
        rig.clock.advance(pick(400));
        what = "wait";
      }
      trace.push_back(what + " " + std::to_string(scanCode) + " #" + std::to_string(id));
      rig.clock.advance(0);
      ASSERT_TRUE(nothingStuck(rig)) << "seed " << seed << ", script " << script << ":\n"
                                     << ::testing::PrintToString(trace);
    }
    rig.keyboard.reset();
    ASSERT_TRUE(rig.injector.pressed().empty()) << "seed " << seed << ", script " << script;
  }
}

}  // namespace
}  // namespace orvanta
