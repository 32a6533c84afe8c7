// The login window's behaviour without the window: version check, option warnings and the
// login itself. TFrmLogin forwards its events here.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/user_messages.h"
#include "service/endpoints.h"
#include "service/http_transfer.h"
#include "service/parametros_sessao.h"

namespace orvanta {

// The window's fields at the moment of the login.
struct LoginFields {
  std::string userName;  // Edit1
  std::string password;  // Edit2
  bool siteSelectorVisible = false;
  int siteIndex = 0;
  bool alternativeRoute = false;  // CheckBox2
};

enum class LoginResult { sessionHandedOver, userNotFound, failure };

// Receives the session settings of a found account and the port as the service wrote it, to be
// converted only once the settings before it are in place; a throw is a connection failure.
using SessionStart =
    std::function<void(const ParametrosSessao& settings, std::string_view portText)>;

class LoginCore {
 public:
  explicit LoginCore(UserMessages& messages, Endpoints endpoints = Endpoints());

  // Window shown: the version check.
  void FormShow(HttpTransfer& http, const std::function<void()>& runUpdate);
  // Any failure is swallowed: an unreachable version service must not keep anyone out.
  void checkVersion(HttpTransfer& http, const std::function<void()>& runUpdate);

  void CheckBox1Click(bool checked);
  void CheckBox2Click(bool checked);

  // Hands the session settings to startSession; a throw from it, or no startSession, shows
  // the connection-failure message.
  LoginResult login(HttpTransfer& http, const LoginFields& fields,
                    const SessionStart& startSession);

 private:
  UserMessages& messages_;
  Endpoints endpoints_;
};

}  // namespace orvanta
