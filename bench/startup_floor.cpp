// The floor of the start-up benchmark: a bare program that loads the same system libraries as
// Orvanta.exe and shows a plain window of the login window's caption and size.
#include <windows.h>

#include <array>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  constexpr std::array kLibraries{L"advapi32.dll", L"comctl32.dll", L"gdi32.dll",
                                  L"msimg32.dll",  L"ole32.dll",    L"oleaut32.dll",
                                  L"shell32.dll",  L"winspool.drv", L"ws2_32.dll"};
  for (const wchar_t* name : kLibraries) LoadLibraryW(name);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"StartupFloor";
  RegisterClassExW(&windowClass);
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT bounds{0, 0, 566, 401};
  AdjustWindowRectEx(&bounds, kStyle, FALSE, 0);
  const HWND window = CreateWindowExW(
      0, L"StartupFloor", L"Login Orvanta", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
      bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
