#include "ui/system_error_text_win.h"

#include "base/exception.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

std::string systemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueLocalText owner(buffer);
  std::wstring_view text(buffer ? buffer : L"", length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.remove_suffix(1);
  return narrow(text);
}

void throwWithSystemText(std::string_view message, DWORD code, std::string className) {
  throw Exception(std::string(message) + ". " + systemErrorText(code), std::move(className));
}

}  // namespace orvanta
