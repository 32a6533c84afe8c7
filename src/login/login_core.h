// The login window's behaviour without the window: version check, option warnings and the
// login itself. TFrmLogin forwards its events here.
#pragma once

#include <functional>
#include <string>

#include "base/user_messages.h"
#include "service/endpoints.h"
#include "service/http_transfer.h"
#include "session/remote_desktop_control.h"

namespace orvanta {

// The window's fields at the moment of the login.
struct LoginFields {
  std::string userName;  // Edit1
  std::string password;  // Edit2
  bool siteSelectorVisible = false;
  int siteIndex = 0;
  bool alternativeRoute = false;  // CheckBox2
};

// closed: the user asked to close the window while the request ran; nothing else happened.
enum class LoginResult { sessionHandedOver, userNotFound, failure, closed };

class LoginCore {
 public:
  explicit LoginCore(UserMessages& messages, Endpoints endpoints = Endpoints());

  // Asked once the login request returns: true when the user asked to close the window while
  // it ran. That close then wins over whatever the answer would have led to.
  std::function<bool()> closeRequested;

  // Window shown: the version check.
  void FormShow(HttpTransfer& http, const std::function<void()>& runUpdate);
  // Any failure is swallowed: an unreachable version service must not keep anyone out.
  void checkVersion(HttpTransfer& http, const std::function<void()>& runUpdate);

  void CheckBox1Click(bool checked);
  void CheckBox2Click(bool checked);

  // Applies the session settings to the control and calls handOverSession to hand the main
  // window over; a throw from either shows the connection-failure message.
  LoginResult login(HttpTransfer& http, const LoginFields& fields, RemoteDesktopControl& control,
                    const std::function<void()>& handOverSession);

 private:
  bool closing() const;
  void applySession(const LoginFields& fields, RemoteDesktopControl& control,
                    const std::string& server, const std::string& portText);

  UserMessages& messages_;
  Endpoints endpoints_;
};

}  // namespace orvanta
