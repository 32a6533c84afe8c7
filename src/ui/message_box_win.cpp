#include "ui/message_box_win.h"

#include <string>

namespace orvanta {

int SystemMessageBoxes::show(HWND owner, std::wstring_view text, std::wstring_view caption,
                             UINT type) {
  return MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), type);
}

}  // namespace orvanta
