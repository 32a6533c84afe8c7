// Stand-in for the vendor's updater and the PDF tool installer: leaves a marker file in the
// working directory naming the program that ran, so tests can tell it was started.
#include <windows.h>

#include <memory>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t caminho[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, caminho, MAX_PATH);
  std::wstring programa(caminho, n);
  programa = programa.substr(programa.find_last_of(L"\\/") + 1);

  const std::wstring marcador = programa + L".executado";
  HANDLE criado = CreateFileW(marcador.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (criado == INVALID_HANDLE_VALUE) return 1;
  const std::unique_ptr<void, decltype(&CloseHandle)> arquivo(criado, &CloseHandle);
  const std::string linha(GetCommandLineA());
  DWORD escritos = 0;
  const BOOL ok =
      WriteFile(arquivo.get(), linha.data(), static_cast<DWORD>(linha.size()), &escritos, nullptr);
  return ok ? 0 : 1;
}
