// Where Orvanta's start-up goes: the same steps as the program, one by one, each with its time
// and the growth of the working set; then the first opening of each help window and the first
// showing of the on-screen keyboard. Windows build, run under Wine (bench/run_startup.sh).
#include <windows.h>
// After windows.h.
#include <commctrl.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "alert/status_pictures_win.h"
#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "keyboard/touch_keyboard_win.h"
#include "layouts/keyboard_layouts.h"
#include "layouts/keyboard_layouts_win.h"
#include "login/login_win.h"
#include "login/version.h"
#include "session/principal_win.h"
#include "session/rdp/ole_container_win.h"
#include "ui/application_win.h"
#include "ui/ole_win.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta {
namespace {

double workingSetMib() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The time this thread has run on a processor, in ms, from Linux's scheduler statistics (through
// Wine's Z: drive): unlike the wall time, a loaded machine hardly changes it.
double threadCpuMs() {
  const HANDLE file = CreateFileW(L"Z:\\proc\\thread-self\\schedstat", GENERIC_READ,
                                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  char text[128]{};
  DWORD read = 0;
  ReadFile(file, text, sizeof text - 1, &read, nullptr);
  CloseHandle(file);
  return static_cast<double>(std::strtoull(text, nullptr, 10)) / 1e6;
}

// One line per step: "phase <name>\t<wall ms>\t<cpu ms>\t<working set growth in MiB>".
void step(const char* name, const std::function<void()>& work) {
  const double before = workingSetMib();
  const double cpuBefore = threadCpuMs();
  const auto start = std::chrono::steady_clock::now();
  work();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("phase %s\t%.1f\t%.1f\t%.2f\n", name, ms, threadCpuMs() - cpuBefore,
              workingSetMib() - before);
}

void showAndPaint(Window& window) {
  window.show();
  UpdateWindow(window.hwnd());
  pump();
}

int run() {
  std::printf("start working set %.2f MiB\n", workingSetMib());
  std::unique_ptr<OleSession> ole;
  step("ole and common controls", [&] {
    ole = std::make_unique<OleSession>();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
  });
  Application app;
  step("keyboard layouts",
       [] { loadLayoutsFromModule(keyboardLayouts(), GetModuleHandleW(nullptr)); });
  std::unique_ptr<TFrmLogin> login;
  std::unique_ptr<TFrmPrincipal> principal;
  std::unique_ptr<TFrmDownload> download;
  std::unique_ptr<TFrmAjudaImpressao> printingHelp;
  std::unique_ptr<TFrmAjudaTransferencia> transferHelp;
  std::unique_ptr<TFrmAtualiza> update;
  step("login window", [&] { login = app.createForm<TFrmLogin>(); });
  step("remote desktop control (first creation alone)", [] { rdp::createControl(); });
  step("session window (control; window made later)",
       [&] { principal = app.createForm<TFrmPrincipal>(VersaoCliente); });
  step("installer download window", [&] { download = app.createForm<TFrmDownload>(); });
  step("printing help window", [&] { printingHelp = app.createForm<TFrmAjudaImpressao>(); });
  step("transfer help window", [&] { transferHelp = app.createForm<TFrmAjudaTransferencia>(); });
  step("update download window", [&] { update = app.createForm<TFrmAtualiza>(); });
  step("login window shown and painted", [&] { showAndPaint(*login); });
  std::printf("total working set %.2f MiB\n", workingSetMib());
  // Made when the login hands over to it.
  step("session window made (at the login)", [&] { principal->hwnd(); });
  // The parts of the session window, alone, again (their first-time system costs are paid).
  step("status pictures, both drawn", [] {
    StatusPictureList pictures;
    pictures.GetIcon(0);
    pictures.GetIcon(1);
  });
  step("keyboard created, keys built (again)", [&] {
    TTouchKeyboard keyboard(app);
    keyboard.create(*principal, {0, 0, 784, 180});
  });
  // Opened later: their first time.
  step("first opening: printing help", [&] { showAndPaint(*printingHelp); });
  step("first opening: transfer help", [&] { showAndPaint(*transferHelp); });
  showAndPaint(*principal);
  step("first showing: keyboard", [&] {
    principal->SpeedButton4.onClick();
    UpdateWindow(principal->hwnd());
    pump();
  });
  step("first showing: status alert", [&] { principal->statusAlert.show("Conectando", 0); });
  principal->statusAlert.close();
  return 0;
}

}  // namespace
}  // namespace orvanta

int main() {
  return orvanta::run();
}
