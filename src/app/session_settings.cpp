#include "app/session_settings.h"

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
  control.setRdpPort(settings.port);
}

}  // namespace orvanta
