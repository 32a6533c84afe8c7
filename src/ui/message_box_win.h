// Every message box of the program goes through this seam, so Windows tests can record the
// boxes and answer them instead of waiting for a person.
#pragma once

#include <windows.h>

#include <string_view>

namespace orvanta {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // As MessageBoxW: returns the id of the button pressed (IDOK, IDYES, ...).
  virtual int show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) = 0;
};

class SystemMessageBoxes final : public MessageBoxes {
 public:
  int show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) override;
};

}  // namespace orvanta
