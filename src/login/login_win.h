// The login window: the main window at start. Its rules live in LoginCore; this only forwards.
#pragma once

#include <functional>
#include <memory>

#include "login/login_core.h"
#include "service/escolhas_login.h"
#include "service/http_transfer.h"
#include "ui/controls_win.h"
#include "ui/user_messages_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TFrmLogin : public Window {
  // Before the controls, so it outlives them.
  UniqueHfont optionsFont_;

 public:
  explicit TFrmLogin(Application& app);

  // What the controls hold now; the window is only ever hidden, so this stays readable.
  EscolhasLogin choices() const;
  LoginCore& core() { return core_; }

  void Button1Click();

  std::unique_ptr<HttpTransfer> IdHTTP1;

  Picture Image1{app()};
  Label Label1;
  Edit Edit1;
  Label Label2;
  Edit Edit2;
  Button Button1;
  RadioGroup RadioGroup1;
  CheckBox CheckBox1;
  CheckBox CheckBox2;

  // Where the login reaches the rest of the program, set by the window set; Windows tests
  // put fakes here.
  // Applies the session settings, makes the session window the main window, shows it (a
  // failure to connect throws) and closes this one.
  SessionStart startSession;
  // A new update window, shown modally and destroyed.
  std::function<void()> runUpdate;
  // Clears the print relay's in-progress flag; runs first when the window is shown.
  std::function<void()> clearPrintInProgress;

 protected:
  void onShow() override;
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Edit1Exit();
  void EditKeyDown(unsigned virtualKey);
  void EditKeyUp(unsigned virtualKey);
  void RadioGroup1Click();

  WinUserMessages messages_{app()};
  LoginCore core_{messages_};
  // The control that had the focus when the window was last deactivated.
  HWND lastFocus_ = nullptr;
  // Enter went down in one of the fields and is not yet released.
  bool enterInField_ = false;
};

extern TFrmLogin* FrmLogin;

}  // namespace orvanta
