#include "login/login_core.h"

#include "base/exception.h"

#include "login/login_messages.h"
#include "login/login_response.h"
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
                             const SessionStart& startSession) {
  try {
    std::string key = RemoverNumeros(fields.userName);
    if (fields.siteSelectorVisible && fields.siteIndex == kSuffixedSiteIndex) {
      key += kSiteSuffix;
    }
    const LoginResponse response =
        splitLoginResponse(http.Get(endpoints_.login(fields.alternativeRoute, key)));
    if (!response.accountFound()) {
      messages_.showMessage(login_messages::kUserNotFound);
      return LoginResult::userNotFound;
    }
    if (!startSession) throw Exception("Remote desktop control not available");
    ParametrosSessao settings;
    settings.server = response.server;
    settings.userName = fields.userName;
    settings.password = fields.password;
    startSession(settings, response.portText);
    return LoginResult::sessionHandedOver;
  } catch (...) {
    messages_.showMessage(login_messages::kConnectionFailure);
    return LoginResult::failure;
  }
}

}  // namespace orvanta
