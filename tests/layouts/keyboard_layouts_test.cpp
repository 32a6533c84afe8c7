#include "layouts/keyboard_layouts.h"

#include <gtest/gtest.h>

#include <vector>

#include "layouts/shipped_layouts.h"

namespace orvanta {
namespace {

using test::layoutBytes;

// The registry as the program fills it at start: every shipped layout, in resource order.
class KeyboardLayoutsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const LayoutResource& r : embeddedLayoutResources()) registry.LoadFromStream(r.data);
  }

  std::string nameOf(const TVirtualKeyLayout* l) { return l ? l->KeyboardName : "(none)"; }

  TKeyboardLayouts registry;
};

TEST_F(KeyboardLayoutsTest, HoldsTheShippedLayoutsInResourceOrder) {
  std::vector<std::string> names;
  for (const TVirtualKeyLayout& l : registry.layouts()) names.push_back(l.KeyboardName);
  EXPECT_EQ(names,
            (std::vector<std::string>{"NumPad", "Standard101", "Standard102", "Standard106"}));
}

TEST_F(KeyboardLayoutsTest, KeyboardChoiceForInputLanguages) {
  struct Case {
    const char* language;
    const char* layout;
  };
  const Case cases[] = {
      {"pt-BR", "Standard102"}, {"pt-PT", "Standard102"}, {"en-US", "Standard101"},
      {"en-GB", "Standard102"}, {"de-DE", "Standard102"}, {"fr-FR", "Standard102"},
      {"es-ES", "Standard102"}, {"es-US", "Standard102"}, {"es-MX", "Standard101"},
      {"ja-JP", "Standard106"}, {"zh-CN", "Standard101"}, {"", "Standard101"},
      {"PT-BR", "Standard101"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nameOf(chooseLayout(registry, "Standard", c.language)), c.layout) << c.language;
  }
  EXPECT_EQ(nameOf(chooseLayout(registry, "NumPad", "pt-BR")), "NumPad");
  EXPECT_EQ(chooseLayout(registry, "Compact", "pt-BR"), nullptr);
}

TEST_F(KeyboardLayoutsTest, LookupsAreExactAndRunInOppositeDirections) {
  EXPECT_EQ(registry.findLayout("Standard", "pt-BR"), nullptr);
  EXPECT_EQ(nameOf(registry.findLayout("Standard", "pt")), "Standard102");
  EXPECT_EQ(registry.findLayout("standard", "pt"), nullptr);
  EXPECT_EQ(registry.findLayout("Standard", "PT"), nullptr);
  EXPECT_EQ(nameOf(registry.findLayout("NumPad")), "NumPad");
  EXPECT_EQ(nameOf(registry.findLayout("Standard")), "Standard101");
  EXPECT_EQ(registry.findLayout("Standar"), nullptr);

  // A second copy of Standard102 wins the language lookup (last to first) but not the type
  // lookup (first to last).
  const TVirtualKeyLayout& copy = registry.LoadFromStream(layoutBytes("STANDARD102KEYBOARD"));
  EXPECT_EQ(registry.findLayout("Standard", "pt"), &copy);
  EXPECT_EQ(registry.findLayout("Standard"), &registry.layouts()[1]);
}

TEST_F(KeyboardLayoutsTest, AnEmptyLayoutStaysButIsNeverChosen) {
  std::vector<unsigned char> otherVersion(layoutBytes("STANDARD101KEYBOARD").begin(),
                                          layoutBytes("STANDARD101KEYBOARD").end());
  otherVersion[0] = 2;
  TKeyboardLayouts alone;
  alone.LoadFromStream(otherVersion);
  ASSERT_EQ(alone.layouts().size(), 1u);
  EXPECT_EQ(alone.findLayout("Standard"), nullptr);
  EXPECT_EQ(chooseLayout(alone, "Standard", "en-US"), nullptr);
}

TEST_F(KeyboardLayoutsTest, ABrokenLayoutIsNotAppended) {
  std::span<const unsigned char> data = layoutBytes("STANDARD106KEYBOARD");
  std::vector<unsigned char> truncated(data.begin(), data.end() - 1);
  EXPECT_THROW(registry.LoadFromStream(truncated), KeyboardLayoutError);
  EXPECT_EQ(registry.layouts().size(), 4u);
}

}  // namespace
}  // namespace orvanta
