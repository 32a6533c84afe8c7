// How the login's session settings reach the remote desktop control.
#pragma once

#include <string_view>

#include "service/parametros_sessao.h"
#include "session/remote_desktop_control.h"

namespace orvanta {

// Writes UserName, ClearTextPassword, DesktopWidth, DesktopHeight and Server, then converts the
// port text and writes RDPPort: a bad port throws with the earlier writes in place, as the
// control saw them.
void applySessionSettings(RemoteDesktopControl& control, ParametrosSessao settings,
                          std::string_view portText);

}  // namespace orvanta
