#include "app/program_win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "app/window_set_win.h"
#include "base/exception.h"
#include "base/exception_text.h"
#include "layouts/keyboard_layouts.h"
#include "layouts/keyboard_layouts_win.h"
#include "ui/application_win.h"
#include "ui/ole_win.h"
#include "ui/text_win.h"

namespace orvanta {

void showStartupError(MessageBoxes& boxes, std::exception_ptr error, const void* address) {
  std::string className = "Exception";
  std::string message;
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    className = e.className();
    message = e.what();
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
  }
  const std::string text = startupErrorText(className, narrow(programFileName()),
                                            reinterpret_cast<std::uintptr_t>(address), message);
  boxes.show(nullptr, widen(text), L"Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

int runProgram() {
  OleSession ole;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  Application app;
  std::unique_ptr<WindowSet> windowSet;
  try {
    loadLayoutsFromModule(keyboardLayouts(), GetModuleHandleW(nullptr));
    windowSet = std::make_unique<WindowSet>(app);
  } catch (...) {
    showStartupError(app.boxes(), std::current_exception(),
                     reinterpret_cast<const void*>(&runProgram));
    return 1;
  }
  return app.run();
}

}  // namespace orvanta
