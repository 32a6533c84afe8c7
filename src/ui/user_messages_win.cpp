#include "ui/user_messages_win.h"

#include "ui/text_win.h"

namespace orvanta {

void ShowMessage(Application& app, std::string_view text) {
  app.boxes().show(GetActiveWindow(), widen(text), app.title(), MB_OK);
}

void WinUserMessages::showMessage(std::string_view text) {
  ShowMessage(app_, text);
}

bool WinUserMessages::confirm(std::string_view text) {
  return app_.boxes().show(GetActiveWindow(), widen(text), L"Confirm",
                           MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

}  // namespace orvanta
