// The session's Win32 side without the window itself: the hosted control, its events wired
// to the session rules, and the registry. The session window owns one.
#pragma once

#include <windows.h>

#include <string>

#include "session/rdp/ole_container_win.h"
#include "session/rdp/rdp_control_win.h"
#include "session/session.h"
#include "session/user_registry_win.h"

namespace orvanta::rdp {

class RdpSessionWin {
 public:
  // Hosts control (see createControl) on window; the connection events drive statusAlert. A
  // failure in the handling of a control's event goes to onFailure, never back into the control.
  RdpSessionWin(HostWindow window, ComPtr<IUnknown> control, SessionWindow& sessionWindow,
                StatusAlert& statusAlert, Timer& printRelayTimer, Shell& shell,
                std::string hostSite, ComFailure onFailure);

  // What the login writes the session settings to.
  RemoteDesktopControl& control() { return control_; }
  SessionCore& session() { return session_; }
  // Activation on the first showing, then every resize; area in client coordinates.
  void place(const RECT& area);
  HWND controlWindow() const { return container_.window(); }

 private:
  UserRegistryWin registry_;
  OleContainer container_;
  RdpControl control_;
  SessionCore session_;
};

}  // namespace orvanta::rdp
