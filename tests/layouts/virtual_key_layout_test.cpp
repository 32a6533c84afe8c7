#include "layouts/virtual_key_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "layouts/shipped_layouts.h"

namespace orvanta {
namespace {

using test::layoutBytes;

TVirtualKeyLayout read(std::string_view resource) {
  return TVirtualKeyLayout::read(layoutBytes(resource));
}

const TVirtualKey& keyByScanCode(const TVirtualKeyLayout& l, int16_t sc) {
  for (const TVirtualKeys& row : l.Keys) {
    for (const TVirtualKey& k : row.Keys) {
      if (k.ScanCode == sc) return k;
    }
  }
  throw std::logic_error("no key with scan code " + std::to_string(sc));
}

const TVirtualKey& publishedKey(const TVirtualKeyLayout& l, std::string_view pub) {
  for (const TVirtualKeys& row : l.Keys) {
    for (const TVirtualKey& k : row.Keys) {
      if (k.PublishedName == pub) return k;
    }
  }
  throw std::logic_error("no key published as " + std::string(pub));
}

// The keyboard's search: the first element whose language matches.
const TKeyLanguage* keyLanguage(const TVirtualKey& k, std::string_view language) {
  auto it = std::find_if(k.Languages.begin(), k.Languages.end(),
                         [&](const TKeyLanguage& g) { return g.Language == language; });
  return it == k.Languages.end() ? nullptr : &*it;
}

struct Expected {
  const char* resource;
  const char* name;
  size_t bytes;
  std::vector<size_t> keysPerRow;
  std::vector<int> widthPerRow;
};

const std::vector<Expected> kStandardLayouts = {
    {"STANDARD101KEYBOARD", "Standard101", 3645, {15, 15, 13, 14, 8}, {766, 766, 766, 766, 766}},
    {"STANDARD102KEYBOARD", "Standard102", 5224, {15, 15, 13, 15, 8}, {766, 766, 766, 766, 766}},
    {"STANDARD106KEYBOARD", "Standard106", 2993, {16, 15, 13, 15, 11}, {802, 766, 766, 814, 776}},
};

TEST(VirtualKeyLayoutTest, ShippedStandardLayoutsReadToTheirExactEnd) {
  for (const Expected& e : kStandardLayouts) {
    SCOPED_TRACE(e.name);
    std::span<const unsigned char> data = layoutBytes(e.resource);
    EXPECT_EQ(data.size(), e.bytes);
    // read refuses data with bytes left over, so a successful read consumed all of it.
    TVirtualKeyLayout l = TVirtualKeyLayout::read(data);
    EXPECT_EQ(l.KeyboardName, e.name);
    EXPECT_EQ(l.KeyboardType, "Standard");
    EXPECT_EQ(std::vector<int>({l.Width, l.Height, l.MinWidth, l.MinHeight, l.MaxWidth, l.MaxHeight,
                                l.RowHeight}),
              std::vector<int>({848, 262, 550, 180, 0, 0, 48}));
    std::vector<size_t> keys;
    std::vector<int> widths;
    for (const TVirtualKeys& row : l.Keys) {
      keys.push_back(row.Keys.size());
      widths.push_back(std::accumulate(row.Keys.begin(), row.Keys.end(), 0,
                                       [](int s, const TVirtualKey& k) { return s + k.Width; }));
      EXPECT_EQ(row.Keys.front().LeftMargin, 0);
      EXPECT_EQ(row.Keys.back().RightMargin, 0);
    }
    EXPECT_EQ(keys, e.keysPerRow);
    EXPECT_EQ(widths, e.widthPerRow);
    EXPECT_EQ(l.Keys.front().TopMargin, 0);
    EXPECT_EQ(l.Keys.back().BottomMargin, 0);
  }
}

TEST(VirtualKeyLayoutTest, LaterEntriesComeFirstAfterReading) {
  TVirtualKeyLayout l102 = read("STANDARD102KEYBOARD");
  const TVirtualKey& digitTwo = keyByScanCode(l102, 3);
  ASSERT_EQ(digitTwo.Modifiers.size(), 4u);
  EXPECT_EQ(digitTwo.Modifiers.front().ModifierName, "fn");
  EXPECT_EQ(digitTwo.Modifiers.front().Caption, "F2");
  EXPECT_EQ(digitTwo.Modifiers.front().ScanCode, 60);
  EXPECT_EQ(digitTwo.Modifiers.front().FontSize, 10);
  EXPECT_EQ(digitTwo.Modifiers[1].Caption, "Ě");
  EXPECT_EQ(digitTwo.Modifiers.back().ModifierName, "caps");
  EXPECT_EQ(digitTwo.Modifiers.back().Language, "fr");
  EXPECT_EQ(digitTwo.Modifiers.back().ScanCode, 3);

  TVirtualKeyLayout l101 = read("STANDARD101KEYBOARD");
  const TVirtualKey& rightAlt = publishedKey(l101, "RightAlt");
  ASSERT_EQ(rightAlt.Languages.size(), 3u);
  std::vector<std::string> order;
  for (const TKeyLanguage& g : rightAlt.Languages) {
    order.push_back(g.Language);
    EXPECT_EQ(g.Caption, "AltGr");
    ASSERT_EQ(g.ComboKeys.size(), 2u);
    EXPECT_EQ(g.ComboKeys[0].Vk, 17);
    EXPECT_EQ(g.ComboKeys[0].ScanCode, 29);
    EXPECT_EQ(g.ComboKeys[1].Vk, 18);
    EXPECT_EQ(g.ComboKeys[1].ScanCode, 56);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"ka", "sr", "es"}));
  // "lt" is stored before "hy", so "hy" is found first.
  EXPECT_EQ(keyByScanCode(l101, 4).Modifiers[1].Language, "hy");
  EXPECT_EQ(keyByScanCode(l101, 4).Modifiers[2].Language, "lt");
}

TEST(VirtualKeyLayoutTest, FixedCaptionsPerLanguage) {
  struct Case {
    const char* resource;
    const char* key;
    const char* language;
    const char* caption;
  };
  const Case cases[] = {
      {"STANDARD101KEYBOARD", "Caps", "es", "Bloq May"},
      {"STANDARD101KEYBOARD", "Del", "es", "Supr"},
      {"STANDARD102KEYBOARD", "Caps", "pt", "Maiú."},
      {"STANDARD102KEYBOARD", "Caps", "de", "Feststell"},
      {"STANDARD102KEYBOARD", "Caps", "fr", "Verr. maj"},
      {"STANDARD102KEYBOARD", "Caps", "it", "Bloc Maiusc"},
      {"STANDARD102KEYBOARD", "Del", "it", "Canc"},
      {"STANDARD102KEYBOARD", "LeftCtrl", "de", "Strg"},
      {"STANDARD102KEYBOARD", "RightAlt", "bg", "Alt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.resource) + " " + c.key + " " + c.language);
    const TVirtualKeyLayout l = read(c.resource);
    const TKeyLanguage* g = keyLanguage(publishedKey(l, c.key), c.language);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Caption, c.caption);
  }
  TVirtualKeyLayout l102 = read("STANDARD102KEYBOARD");
  EXPECT_EQ(keyLanguage(publishedKey(l102, "Caps"), "pt-BR"), nullptr);
  const TVirtualKey& altGr = publishedKey(l102, "RightAlt");
  EXPECT_EQ(altGr.ModifierName, "altgr");
  EXPECT_EQ(altGr.ScanCode, -1);
  ASSERT_EQ(altGr.ComboKeys.size(), 2u);
  EXPECT_EQ(altGr.ComboKeys[0].Vk, 17);
  EXPECT_EQ(altGr.ComboKeys[1].Vk, 18);
  EXPECT_EQ(keyLanguage(altGr, "bg")->ScanCode, 56);
  EXPECT_TRUE(keyLanguage(altGr, "bg")->ComboKeys.empty());
}

TEST(VirtualKeyLayoutTest, JapaneseKeysKeepTheirText) {
  TVirtualKeyLayout l = read("STANDARD106KEYBOARD");
  EXPECT_EQ(keyByScanCode(l, 41).Caption, "漢字");
  EXPECT_EQ(keyByScanCode(l, 123).Caption, "無変換");
  EXPECT_EQ(l.Keys[4].Keys[5].Caption, "カナ");
  EXPECT_EQ(l.Keys[4].Keys[5].Vk, 21);
  EXPECT_EQ(keyByScanCode(l, 125).Caption, "\\");
  EXPECT_EQ(keyByScanCode(l, 125).Modifiers.back().Caption, "|");
  EXPECT_EQ(keyByScanCode(l, 115).Caption, "\\");
  EXPECT_EQ(keyByScanCode(l, 115).Modifiers.back().Caption, "_");
  const TVirtualKey& caps = keyByScanCode(l, 58);
  EXPECT_TRUE(caps.has(TVirtualKeyFlag::kfStretch));
  EXPECT_TRUE(caps.has(TVirtualKeyFlag::kfToggle));
  EXPECT_FALSE(caps.has(TVirtualKeyFlag::kfRepeat));
}

TEST(VirtualKeyLayoutTest, NumPadHasSeventeenKeysWithTallPlusAndEnter) {
  TVirtualKeyLayout l = read("NUMPADKEYBOARD");
  EXPECT_EQ(l.KeyboardType, "NumPad");
  EXPECT_EQ(std::vector<int>({l.Width, l.Height, l.MinWidth, l.MinHeight}),
            std::vector<int>({190, 229, 180, 150}));
  ASSERT_EQ(l.Keys.size(), 5u);
  size_t total = 0;
  std::vector<const TVirtualKey*> tallKeys;
  for (const TVirtualKeys& row : l.Keys) {
    total += row.Keys.size();
    for (const TVirtualKey& k : row.Keys) {
      EXPECT_EQ(k.ScanCode, -1);
      if (k.Height > l.RowHeight) tallKeys.push_back(&k);
    }
  }
  EXPECT_EQ(total, 17u);
  ASSERT_EQ(tallKeys.size(), 2u);
  EXPECT_EQ(tallKeys[0]->Caption, "+");
  EXPECT_EQ(tallKeys[1]->KeyImage, KeyImage::kNumPadEnter);
}

// Hand-built stored data for cases the shipped layouts do not reach.
std::vector<unsigned char> headerBytes(uint8_t version, const std::vector<unsigned char>& name) {
  std::vector<unsigned char> d;
  d.push_back(version);
  d.push_back(static_cast<unsigned char>(name.size()));
  for (unsigned char c : name) d.push_back(c);
  // Empty type, seven sizes, no languages, no rows.
  d.resize(d.size() + 1 + 14 + 2 + 2, 0);
  return d;
}

TEST(VirtualKeyLayoutTest, OtherVersionGivesAnEmptyLayout) {
  for (uint8_t version : {0, 2, 255}) {
    std::vector<unsigned char> d(layoutBytes("STANDARD101KEYBOARD").begin(),
                                 layoutBytes("STANDARD101KEYBOARD").end());
    d[0] = version;
    TVirtualKeyLayout l = TVirtualKeyLayout::read(d);
    EXPECT_EQ(l.KeyboardName, "");
    EXPECT_EQ(l.KeyboardType, "");
    EXPECT_TRUE(l.Languages.empty());
    EXPECT_TRUE(l.Keys.empty());
    EXPECT_EQ(l.RowHeight, 48);
  }
}

TEST(VirtualKeyLayoutTest, SurrogatePairsBecomeOneCharacter) {
  TVirtualKeyLayout l =
      TVirtualKeyLayout::read(headerBytes(1, {0x3D, 0xD8, 0x00, 0xDE, 0x41, 0x00}));
  EXPECT_EQ(l.KeyboardName,
            "\xF0\x9F\x98\x80"
            "A");
  l = TVirtualKeyLayout::read(headerBytes(1, {0x3D, 0xD8}));
  EXPECT_EQ(l.KeyboardName, "\xEF\xBF\xBD");
}

TEST(VirtualKeyLayoutTest, MalformedDataIsRefused) {
  EXPECT_THROW(TVirtualKeyLayout::read(std::vector<unsigned char>{}), KeyboardLayoutError);
  EXPECT_THROW(TVirtualKeyLayout::read(headerBytes(1, {0x41})), KeyboardLayoutError);  // odd length
  std::vector<unsigned char> leftover = headerBytes(1, {0x41, 0});
  leftover.push_back(0);
  EXPECT_THROW(TVirtualKeyLayout::read(leftover), KeyboardLayoutError);
  std::vector<unsigned char> huge(TVirtualKeyLayout::kMaxSize + 1, 0);
  huge[0] = 1;
  EXPECT_THROW(TVirtualKeyLayout::read(huge), KeyboardLayoutError);
  // A count larger than the data behind it.
  std::vector<unsigned char> badCount = headerBytes(1, {});
  badCount[badCount.size() - 2] = 0xFF;
  badCount[badCount.size() - 1] = 0xFF;
  EXPECT_THROW(TVirtualKeyLayout::read(badCount), KeyboardLayoutError);
}

TEST(VirtualKeyLayoutTest, EveryTruncationOfTheShippedLayoutsIsRefused) {
  for (const LayoutResource& r : embeddedLayoutResources()) {
    SCOPED_TRACE(std::string(r.name));
    for (size_t n = 0; n < r.data.size(); ++n) {
      // An exact-size copy, so reading past its end is caught by the address sanitizer.
      std::vector<unsigned char> prefix(r.data.begin(), r.data.begin() + n);
      EXPECT_THROW(TVirtualKeyLayout::read(prefix), KeyboardLayoutError) << "prefix " << n;
    }
  }
}

}  // namespace
}  // namespace orvanta
