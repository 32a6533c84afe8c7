// The session window's rules: the start sequence when shown, the end when closed, its
// buttons and the remote desktop control's events.
#pragma once

#include <cstdint>
#include <string>

#include "alert/status_alert.h"
#include "base/launcher.h"
#include "base/timer.h"
#include "session/remote_desktop_control.h"
#include "session/user_registry.h"

namespace orvanta {

// What the rules need from the window itself.
class SessionWindow {
 public:
  virtual ~SessionWindow() = default;
  // Width and height to the screen's, then the maximised state.
  virtual void fitToScreen() = 0;
  virtual void setReconnectEnabled(bool enabled) = 0;
  virtual void showTransferHelp() = 0;
  virtual void showPrintingHelp() = 0;
  virtual void requestTermination() = 0;
};

struct SessionDependencies {
  RemoteDesktopControl& control;
  UserRegistry& registry;
  SessionWindow& window;
  StatusAlert& alert;
  Timer& printRelayTimer;
  Shell& shell;
  std::string hostSite;
};

// Dispatch ids of the control's events that the session handles.
inline constexpr int32_t kEventOnConnecting = 1;
inline constexpr int32_t kEventOnConnected = 2;
inline constexpr int32_t kEventOnDisconnected = 4;

class SessionCore {
 public:
  explicit SessionCore(SessionDependencies d) : d_(d) {}

  // Each step may throw; a failure leaves the later steps, the connection included, undone.
  void FormShow(bool directPrinters);
  // Never throws: ending the program must not depend on the control.
  void FormClose();

  void fullScreen();
  void reconnect();
  void support();
  void transferHelp();
  void printingHelp();
  void JumpTo(const std::string& aAdress);

  // An event of the control by its dispatch id; the others are not handled.
  void handleControlEvent(int32_t dispid, int32_t argument);

  void onConnecting();
  void onConnected();
  void onDisconnected(int32_t discReason);

 private:
  SessionDependencies d_;
};

}  // namespace orvanta
