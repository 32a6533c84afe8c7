// Values stored on the control, written through either the dispatch ids or the slots.
#pragma once

#include <wtypes.h>

#include <string>

#include "rdpbridge/protocol.h"

namespace rdpstub {

struct Settings {
  std::wstring server, domain, userName, password;
  long desktopWidth = 0, desktopHeight = 0, rdpPort = 3389;
  VARIANT_BOOL fullScreen = 0, redirectDrives = 0, redirectPrinters = 0, redirectPorts = 0;
};

// What the bridge needs to start the session, from the values written to the control.
rdpbridge::ConnectRequest connectRequest(const Settings& s);

}  // namespace rdpstub
