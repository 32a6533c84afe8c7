#include "ui/application_win.h"

#include <vector>

#include "base/exception_text.h"
#include "ui/controls_win.h"
#include "ui/text_win.h"
#include "ui/window_win.h"

namespace orvanta {

namespace {

std::wstring programPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring fileNameOf(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

BOOL CALLBACK collectEnabled(HWND hwnd, LPARAM lParam) {
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

}  // namespace

std::wstring programFileName() {
  return fileNameOf(programPath());
}

std::wstring applicationTitle(std::wstring_view programPath) {
  std::wstring name = fileNameOf(programPath);
  name = name.substr(0, name.find(L'.'));
  if (name.size() > 1) CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
  return name;
}

Application::Application()
    : systemBoxes_(std::make_unique<SystemMessageBoxes>()),
      boxes_(*systemBoxes_),
      title_(applicationTitle(programPath())) {}

Application::Application(MessageBoxes& boxes)
    : boxes_(boxes), title_(applicationTitle(programPath())) {}

void Application::formCreated(Window& window) {
  if (!mainWindow_) mainWindow_ = &window;
}

void Application::forgetWindow(Window& window) {
  if (mainWindow_ == &window) mainWindow_ = nullptr;
}

void Application::dispatch(MSG& msg) {
  // Tab moves between the controls of a window, as in a dialog, but only from one of our own
  // controls: a hosted control (the remote desktop) receives every key itself.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && Control::fromHandle(msg.hwnd)) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root && root != msg.hwnd && Window::fromHandle(root)) {
      const bool back = GetKeyState(VK_SHIFT) < 0;
      if (HWND next = GetNextDlgTabItem(root, msg.hwnd, back)) SetFocus(next);
      return;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int Application::run() {
  if (mainWindow_ && !terminated_) mainWindow_->show();
  while (!terminated_) {
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      terminated_ = true;
      break;
    }
    dispatch(msg);
  }
  return 0;
}

void Application::terminate() {
  PostQuitMessage(0);
}

void Application::processMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return;
    }
    dispatch(msg);
  }
}

int Application::showModal(Window& window, Window* owner) {
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &collectEnabled, reinterpret_cast<LPARAM>(&disabled));
  std::erase(disabled, window.hwnd());
  for (HWND h : disabled) EnableWindow(h, FALSE);
  struct Restore {
    std::vector<HWND>& windows;
    Window& modal;
    ~Restore() {
      // Enable first, so that hiding gives the activation back to the window below.
      for (HWND h : windows) EnableWindow(h, TRUE);
      if (modal.hwnd()) {
        modal.hide();
        SetWindowLongPtrW(modal.hwnd(), GWLP_HWNDPARENT, 0);
      }
      modal.modal_ = false;
    }
  } restore{disabled, window};
  if (owner) {
    SetWindowLongPtrW(window.hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->hwnd()));
  }

  window.modalResult_ = 0;
  window.modal_ = true;
  window.show();
  SetActiveWindow(window.hwnd());
  while (window.modalResult_ == 0) {
    if (terminated_) {
      window.modalResult_ = IDCANCEL;
      break;
    }
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      terminated_ = true;
      continue;
    }
    dispatch(msg);
  }
  return window.modalResult_;
}

void Application::handleException(const std::exception& e) {
  const HWND owner = GetActiveWindow();
  boxes_.show(owner, widen(withFinalDot(e.what())), title_, MB_OK | MB_ICONERROR);
}

void Application::handleException(std::exception_ptr e) {
  try {
    std::rethrow_exception(e);
  } catch (const std::exception& ex) {
    handleException(ex);
  } catch (...) {
    handleException(std::runtime_error("Unknown exception"));
  }
}

}  // namespace orvanta
