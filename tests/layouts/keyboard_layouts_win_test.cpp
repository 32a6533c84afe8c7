#include "session/keyboard_layouts_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanta {
namespace {

// This executable links the layout resources as Orvanta.exe does.
TEST(KeyboardLayoutsWinTest, FillsTheRegistryFromTheModuleInResourceOrder) {
  TKeyboardLayouts registro;
  EXPECT_EQ(CarregarLayoutsDoModulo(registro, GetModuleHandleW(nullptr)), 4u);
  std::vector<std::string> nomes;
  for (const TVirtualKeyLayout& l : registro.layouts()) nomes.push_back(l.KeyboardName);
  EXPECT_EQ(nomes,
            (std::vector<std::string>{"NumPad", "Standard101", "Standard102", "Standard106"}));
  EXPECT_EQ(EscolherLayout(registro, "Standard", "pt-BR")->KeyboardName, "Standard102");
  EXPECT_EQ(registro.layouts()[3].Keys[0].Keys[1].Caption, "漢字");
}

TEST(KeyboardLayoutsWinTest, LoadsOneResourceByName) {
  TKeyboardLayouts registro;
  EXPECT_EQ(LoadFromResourceName(registro, "STANDARD102KEYBOARD").KeyboardName, "Standard102");
  EXPECT_THROW(LoadFromResourceName(registro, "QWERTZKEYBOARD"), ErroLayoutTeclado);
  EXPECT_EQ(registro.layouts().size(), 1u);
}

}  // namespace
}  // namespace orvanta
