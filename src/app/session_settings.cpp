#include "app/session_settings.h"

#include <string>

#include "base/exception.h"
#include "login/login_response.h"

namespace orvanta {

void applySessionSettings(RemoteDesktopControl& control, ParametrosSessao settings,
                          std::string_view portText) {
  control.setUserName(settings.userName);
  control.setClearTextPassword(settings.password);
  control.setDesktopWidth(settings.desktopWidth);
  control.setDesktopHeight(settings.desktopHeight);
  control.setServer(settings.server);
  settings.port = parsePort(portText);
  // The control takes any integer and only fails later, with nothing to tell the user.
  if (settings.port < 1 || settings.port > 65535) {
    throw Exception("'" + std::string(portText) + "' is not a port", "ERangeError");
  }
  control.setRdpPort(settings.port);
}

}  // namespace orvanta
