// Stand-in for the program the shell opens a PDF with: appends one line to the file named by
// ORVANTA_VIEWER_LOG, "<argument as given>\t<bytes the file holds>" (-1 when it cannot be read),
// so a test can tell which file was opened and that it was whole and closed by then.
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <memory>
#include <string>

#include "ui/text_win.h"

namespace {

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

Handle open(const wchar_t* path, DWORD access, DWORD share, DWORD disposition) {
  HANDLE h = CreateFileW(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return Handle(h == INVALID_HANDLE_VALUE ? nullptr : h, &CloseHandle);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t logPath[MAX_PATH];
  if (GetEnvironmentVariableW(L"ORVANTA_VIEWER_LOG", logPath, MAX_PATH) == 0) return 2;
  int argc = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(
      CommandLineToArgvW(GetCommandLineW(), &argc), &LocalFree);
  const std::wstring document = argv && argc > 1 ? argv.get()[1] : L"";

  long long size = -1;
  // Opened the way a viewer would: a writer still holding the file makes this fail.
  if (Handle file = open(document.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING)) {
    LARGE_INTEGER bytes{};
    if (GetFileSizeEx(file.get(), &bytes)) size = bytes.QuadPart;
  }

  const std::string line = orvanta::narrow(document) + "\t" + std::to_string(size) + "\n";
  Handle log = open(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
  if (!log) return 1;
  DWORD written = 0;
  return WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ? 0
                                                                                               : 1;
}
