// TJvDesktopAlert: the desktop alert as the session window holds it — its window, its two
// window timers and the behaviour that ties them together.
#pragma once

#include <string_view>

#include "alert/alert_screen_win.h"
#include "alert/desktop_alert.h"
#include "alert/form_desktop_alert_win.h"
#include "ui/timer_win.h"

namespace orvanta {

class TJvDesktopAlert {
 public:
  // The window is made here, hidden, and reused for every show.
  TJvDesktopAlert(Application& app, AlertStack& stack, FadeStyleOptions StyleOptions);

  void setMessageText(std::string_view text) { alert_.setMessageText(text); }
  // The picture at the left of the message.
  void setImage(UniqueHicon icon) { form_.setIcon(std::move(icon)); }
  bool Execute() { return alert_.Execute(); }
  void Close(bool Immediate) { alert_.Close(Immediate); }
  bool Showing() const { return alert_.Showing(); }

  TJvFormDesktopAlert& form() { return form_; }
  const DesktopAlert& alert() const { return alert_; }

 private:
  AlertScreenWin screen_;
  TJvFormDesktopAlert form_;
  WinTimer animationTimer_;
  WinTimer mouseTimer_;
  DesktopAlert alert_;
};

}  // namespace orvanta
