#include "login/login_core.h"

#include "base/exception.h"
#include "login/login_messages.h"
#include "login/login_response.h"
#include "login/parametros_sessao.h"
#include "login/remover_numeros.h"
#include "login/site_selector.h"
#include "login/version.h"

namespace orvanta {

LoginCore::LoginCore(UserMessages& messages, Endpoints endpoints)
    : messages_(messages), endpoints_(std::move(endpoints)) {}

void LoginCore::FormShow(HttpTransfer& http, const std::function<void()>& runUpdate) {
  checkVersion(http, runUpdate);
}

void LoginCore::checkVersion(HttpTransfer& http, const std::function<void()>& runUpdate) {
  try {
    if (publishedVersionDiffers(http.Get(endpoints_.version()))) {
      messages_.showMessage(login_messages::kNewVersion);
      runUpdate();
    }
  } catch (...) {
  }
}

bool LoginCore::closing() const {
  return closeRequested && closeRequested();
}

void LoginCore::CheckBox1Click(bool checked) {
  if (checked) {
    messages_.showMessage(login_messages::kDirectPrintersWarning);
  }
}

void LoginCore::CheckBox2Click(bool checked) {
  if (checked) {
    messages_.showMessage(login_messages::kAlternativeRouteWarning);
  }
}

LoginResult LoginCore::login(HttpTransfer& http, const LoginFields& fields,
                             RemoteDesktopControl& control,
                             const std::function<void()>& handOverSession) {
  try {
    std::string key = RemoverNumeros(fields.userName);
    if (fields.siteSelectorVisible && fields.siteIndex == kSuffixedSiteIndex) {
      key += kSiteSuffix;
    }
    const std::string answer = http.Get(endpoints_.login(fields.alternativeRoute, key));
    if (closing()) return LoginResult::closed;
    const LoginResponse response = splitLoginResponse(answer);
    if (!response.accountFound()) {
      messages_.showMessage(login_messages::kUserNotFound);
      return LoginResult::userNotFound;
    }
    applySession(fields, control, response.server, response.portText);
    handOverSession();
    return LoginResult::sessionHandedOver;
  } catch (...) {
    if (closing()) return LoginResult::closed;
    messages_.showMessage(login_messages::kConnectionFailure);
    return LoginResult::failure;
  }
}

void LoginCore::applySession(const LoginFields& fields, RemoteDesktopControl& control,
                             const std::string& server, const std::string& portText) {
  ParametrosSessao params;
  params.server = server;
  params.userName = fields.userName;
  params.password = fields.password;
  control.setUserName(params.userName);
  control.setClearTextPassword(params.password);
  control.setDesktopWidth(params.desktopWidth);
  control.setDesktopHeight(params.desktopHeight);
  control.setServer(params.server);
  // Converted only now: a bad port leaves the earlier writes in place, as the control saw them.
  params.port = parsePort(portText);
  // The control takes any integer and only fails later, with nothing to tell the user.
  if (params.port < 1 || params.port > 65535) {
    throw Exception("'" + portText + "' is not a port", "ERangeError");
  }
  control.setRdpPort(params.port);
}

}  // namespace orvanta
