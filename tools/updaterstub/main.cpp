// Stand-in for the vendor's updater and the PDF tool installer: leaves a marker file in the
// working directory naming the program that ran, so tests can tell it was started.
#include <windows.h>

#include <memory>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path, n);
  program = program.substr(program.find_last_of(L"\\/") + 1);

  const std::wstring marker = program + L".executado";
  HANDLE created = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) return 1;
  const std::unique_ptr<void, decltype(&CloseHandle)> file(created, &CloseHandle);
  const std::string line(GetCommandLineA());
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  return ok ? 0 : 1;
}
