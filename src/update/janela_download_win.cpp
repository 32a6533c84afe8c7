#include "update/janela_download_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/text_win.h"

namespace orvanta {
namespace {

constexpr int kLargura = 912;
constexpr int kAltura = 25;
constexpr DWORD kEstilo = WS_OVERLAPPEDWINDOW;

// A window timer of the download window, identified by its index + 1.
class TimerJanela : public Timer {
 public:
  TimerJanela(HWND hwnd, UINT_PTR id) : hwnd_(hwnd), id_(id) {}
  ~TimerJanela() override { setEnabled(false); }

  int intervalMs() const override { return intervalMs_; }
  void setIntervalMs(int intervalMs) override {
    intervalMs_ = intervalMs;
    if (enabled_) SetTimer(hwnd_, id_, static_cast<UINT>(intervalMs_), nullptr);
  }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_) {
      SetTimer(hwnd_, id_, static_cast<UINT>(intervalMs_), nullptr);
    } else {
      KillTimer(hwnd_, id_);
    }
  }

 private:
  HWND hwnd_;
  UINT_PTR id_;
  int intervalMs_ = 0;
  bool enabled_ = false;
};

class BombaMensagens : public MessagePump {
 public:
  void processMessages() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // Left for the loop that owns the program's end.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
};

// Starts a program the way WinExec does: found by the system's search rules, shown normally.
class LancadorWin : public ProgramLauncher {
 public:
  void launch(std::string_view commandLine) override {
    std::wstring linha = widen(commandLine);
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    inicio.dwFlags = STARTF_USESHOWWINDOW;
    inicio.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION processo{};
    if (CreateProcessW(nullptr, linha.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio,
                       &processo)) {
      CloseHandle(processo.hThread);
      CloseHandle(processo.hProcess);
    }
  }
};

void registrarClasse(const wchar_t* nome, WNDPROC procedimento) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedimento;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = nome;
  RegisterClassExW(&wc);  // a second window of the class finds it registered already
}

// The modal run disables the thread's other windows, as a modal form does.
std::vector<HWND> desabilitarOutras(HWND propria) {
  struct Contexto {
    HWND propria;
    std::vector<HWND> desabilitadas;
  } contexto{propria, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto& c = *reinterpret_cast<Contexto*>(lParam);
        if (hwnd != c.propria && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
          EnableWindow(hwnd, FALSE);
          c.desabilitadas.push_back(hwnd);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&contexto));
  return contexto.desabilitadas;
}

// The application's default handling of a failure: an error box captioned with the
// application title, the text ending in a full stop.
void mostrarErro(const std::exception& e) {
  std::wstring texto = widen(e.what());
  if (!texto.empty() && texto.back() > L'.') texto += L'.';
  wchar_t caminho[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, caminho, MAX_PATH);
  std::wstring titulo(caminho, n);
  titulo = titulo.substr(titulo.find_last_of(L"\\/") + 1);
  titulo = titulo.substr(0, titulo.find(L'.'));
  if (!titulo.empty()) CharLowerBuffW(titulo.data() + 1, static_cast<DWORD>(titulo.size() - 1));
  MessageBoxW(nullptr, texto.c_str(), titulo.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

JanelaDownloadWin::JanelaDownloadWin(const wchar_t* nomeClasse)
    : fonte_(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                         L"Tahoma"),
             &DeleteObject) {
  aoFalhar = &mostrarErro;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  registrarClasse(nomeClasse, &procedimento);

  RECT r{0, 0, kLargura, kAltura};
  AdjustWindowRectEx(&r, kEstilo, FALSE, 0);
  const int largura = r.right - r.left;
  const int altura = r.bottom - r.top;
  CreateWindowExW(0, nomeClasse, L"Download em andamento...", kEstilo,
                  (GetSystemMetrics(SM_CXSCREEN) - largura) / 2,
                  (GetSystemMetrics(SM_CYSCREEN) - altura) / 2, largura, altura, nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
  if (hwnd_ == nullptr) throw std::runtime_error("the download window cannot be created");

  progressBar1_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, kLargura,
                                  kAltura, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(progressBar1_, PBM_SETRANGE32, 0, 100);

  for (size_t i = 0; i < timers_.size(); ++i) {
    timers_[i] = std::make_unique<TimerJanela>(hwnd_, i + 1);
  }
  bomba_ = std::make_unique<BombaMensagens>();
  lancador_ = std::make_unique<LancadorWin>();
}

JanelaDownloadWin::~JanelaDownloadWin() {
  for (auto& t : timers_) t.reset();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void JanelaDownloadWin::espelhar(BarraProgresso& barra) {
  barra.onChange = [this, &barra] {
    SendMessageW(progressBar1_, PBM_SETRANGE32, 0, barra.max());
    SendMessageW(progressBar1_, PBM_SETPOS, static_cast<WPARAM>(barra.position()), 0);
  };
  barra.onChange();
}

void JanelaDownloadWin::ShowModal() {
  const std::vector<HWND> desabilitadas = desabilitarOutras(hwnd_);
  emModal_ = true;
  ShowWindow(hwnd_, SW_SHOW);
  try {
    if (aoMostrar) aoMostrar();
  } catch (const std::exception& e) {
    aoFalhar(e);
  }
  MSG msg;
  while (emModal_) {
    const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      PostQuitMessage(r == 0 ? static_cast<int>(msg.wParam) : 0);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  emModal_ = false;
  for (HWND hwnd : desabilitadas) EnableWindow(hwnd, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
}

void JanelaDownloadWin::Close() {
  emModal_ = false;
  ShowWindow(hwnd_, SW_HIDE);
}

int JanelaDownloadWin::posicaoDoControle() const {
  return static_cast<int>(SendMessageW(progressBar1_, PBM_GETPOS, 0, 0));
}

int JanelaDownloadWin::maximoDoControle() const {
  return static_cast<int>(SendMessageW(progressBar1_, PBM_GETRANGE, FALSE, 0));
}

LRESULT CALLBACK JanelaDownloadWin::procedimento(HWND hwnd, UINT msg, WPARAM wParam,
                                                 LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* janela =
        static_cast<JanelaDownloadWin*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    janela->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(janela));
  }
  auto* janela = reinterpret_cast<JanelaDownloadWin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (janela != nullptr) janela->hwnd_ = nullptr;
    janela = nullptr;
  }
  if (janela == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  try {
    return janela->tratar(msg, wParam, lParam);
  } catch (const std::exception& e) {
    janela->aoFalhar(e);
    return 0;
  }
}

LRESULT JanelaDownloadWin::tratar(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      if (wParam >= 1 && wParam <= timers_.size() && timers_[wParam - 1]->onTick) {
        timers_[wParam - 1]->onTick();
      }
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(fonte_.get());
    case WM_SIZE:
      if (progressBar1_ != nullptr) {
        MoveWindow(progressBar1_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      }
      return 0;
    default:
      return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }
}

}  // namespace orvanta
