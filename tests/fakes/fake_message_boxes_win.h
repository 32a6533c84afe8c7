// Records every message box instead of showing it and answers with a chosen button.
#pragma once

#include <string>
#include <vector>

#include "ui/message_box_win.h"

namespace orvanta::test {

class FakeMessageBoxes final : public MessageBoxes {
 public:
  struct Box {
    std::wstring text;
    std::wstring caption;
    UINT type;
  };

  int show(HWND, std::wstring_view text, std::wstring_view caption, UINT type) override {
    boxes.push_back({std::wstring(text), std::wstring(caption), type});
    return answer;
  }

  std::vector<Box> boxes;
  int answer = IDOK;
};

}  // namespace orvanta::test
