#include "session/user_registry_win.h"

#include <windows.h>

#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

bool UserRegistryWin::writeDword(std::string_view key, std::string_view name, uint32_t value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, widen(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &opened, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueHkey closed(opened);
  const DWORD dword = value;
  return RegSetValueExW(closed.get(), widen(name).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&dword), sizeof dword) == ERROR_SUCCESS;
}

}  // namespace orvanta
