// Reads and drives the windows of a program under test, the way a person would see them.
//   window-probe list            one line per visible top-level window, then its controls
//   window-probe click CAPTION TEXT
//                                presses the button TEXT of the visible window CAPTION
//   window-probe close CAPTION   asks the visible window CAPTION to close
// Output is UTF-8; exit code 1 when the window or the button is not there.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& texto) {
  if (texto.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string saida(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), saida.data(), n,
                      nullptr, nullptr);
  return saida;
}

// The program under test may be busy in a transfer; never wait on it for long.
LRESULT enviar(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR resultado = 0;
  if (!SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &resultado)) {
    return 0;
  }
  return static_cast<LRESULT>(resultado);
}

std::wstring textoDe(HWND hwnd) {
  wchar_t texto[1024];
  const LRESULT n = enviar(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(texto));
  return std::wstring(texto, static_cast<size_t>(n));
}

std::wstring classeDe(HWND hwnd) {
  wchar_t classe[256];
  const int n = GetClassNameW(hwnd, classe, 256);
  return std::wstring(classe, static_cast<size_t>(n));
}

std::vector<HWND> visiveis() {
  std::vector<HWND> janelas;
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&janelas));
  return janelas;
}

std::vector<HWND> filhas(HWND pai) {
  std::vector<HWND> controles;
  EnumChildWindows(
      pai,
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&controles));
  return controles;
}

HWND janelaPorTitulo(const std::wstring& titulo) {
  for (HWND hwnd : visiveis()) {
    if (textoDe(hwnd) == titulo) return hwnd;
  }
  return nullptr;
}

void escrever(const std::wstring& linha) {
  std::printf("%s\n", utf8(linha).c_str());
}

int listar() {
  for (HWND hwnd : visiveis()) {
    escrever(L"window class=" + classeDe(hwnd) + L" enabled=" +
             (IsWindowEnabled(hwnd) ? L"1" : L"0") + L" caption=" + textoDe(hwnd));
    for (HWND c : filhas(hwnd)) {
      std::wstring linha =
          L"  control class=" + classeDe(c) + L" visible=" + (IsWindowVisible(c) ? L"1" : L"0");
      if (_wcsicmp(classeDe(c).c_str(), PROGRESS_CLASSW) == 0) {
        linha += L" position=" + std::to_wstring(enviar(c, PBM_GETPOS, 0, 0)) + L" max=" +
                 std::to_wstring(enviar(c, PBM_GETRANGE, FALSE, 0));
      }
      escrever(linha + L" text=" + textoDe(c));
    }
  }
  return 0;
}

int clicar(const std::wstring& titulo, const std::wstring& botao) {
  HWND janela = janelaPorTitulo(titulo);
  if (janela == nullptr) return 1;
  for (HWND c : filhas(janela)) {
    std::wstring texto = textoDe(c);
    std::erase(texto, L'&');
    if (_wcsicmp(classeDe(c).c_str(), L"Button") == 0 && texto == botao) {
      PostMessageW(c, BM_CLICK, 0, 0);
      return 0;
    }
  }
  return 1;
}

int fechar(const std::wstring& titulo) {
  HWND janela = janelaPorTitulo(titulo);
  if (janela == nullptr) return 1;
  PostMessageW(janela, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring comando = argc > 1 ? argv[1] : L"";
  if (comando == L"list" && argc == 2) return listar();
  if (comando == L"click" && argc == 4) return clicar(argv[2], argv[3]);
  if (comando == L"close" && argc == 3) return fechar(argv[2]);
  std::fprintf(stderr, "usage: window-probe list | click CAPTION TEXT | close CAPTION\n");
  return 2;
}
