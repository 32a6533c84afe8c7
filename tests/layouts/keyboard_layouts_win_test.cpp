#include "layouts/keyboard_layouts_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanta {
namespace {

// This executable links the layout resources as Orvanta.exe does.
TEST(KeyboardLayoutsWinTest, FillsTheRegistryFromTheModuleInResourceOrder) {
  TKeyboardLayouts registry;
  EXPECT_EQ(loadLayoutsFromModule(registry, GetModuleHandleW(nullptr)), 4u);
  std::vector<std::string> names;
  for (const TVirtualKeyLayout& l : registry.layouts()) names.push_back(l.KeyboardName);
  EXPECT_EQ(names,
            (std::vector<std::string>{"NumPad", "Standard101", "Standard102", "Standard106"}));
  EXPECT_EQ(chooseLayout(registry, "Standard", "pt-BR")->KeyboardName, "Standard102");
  EXPECT_EQ(registry.layouts()[3].Keys[0].Keys[1].Caption, "漢字");
}

TEST(KeyboardLayoutsWinTest, LoadsOneResourceByName) {
  TKeyboardLayouts registry;
  EXPECT_EQ(LoadFromResourceName(registry, "STANDARD102KEYBOARD").KeyboardName, "Standard102");
  EXPECT_THROW(LoadFromResourceName(registry, "QWERTZKEYBOARD"), KeyboardLayoutError);
  EXPECT_EQ(registry.layouts().size(), 1u);
}

}  // namespace
}  // namespace orvanta
