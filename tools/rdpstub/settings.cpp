#include "settings.h"

#include <cstdint>

#include "journal.h"

namespace rdpstub {

rdpbridge::ConnectRequest connectRequest(const Settings& s) {
  rdpbridge::ConnectRequest r;
  r.server = narrow(s.server.c_str());
  r.domain = narrow(s.domain.c_str());
  r.userName = narrow(s.userName.c_str());
  r.password = narrow(s.password.c_str());
  r.port = static_cast<uint32_t>(s.rdpPort);
  // A control that was given no size asks for the platform control's own default.
  r.width = s.desktopWidth > 0 ? static_cast<uint32_t>(s.desktopWidth) : 1024;
  r.height = s.desktopHeight > 0 ? static_cast<uint32_t>(s.desktopHeight) : 768;
  r.redirections = (s.redirectDrives ? rdpbridge::kRedirectDrives : 0) |
                   (s.redirectPrinters ? rdpbridge::kRedirectPrinters : 0) |
                   (s.redirectPorts ? rdpbridge::kRedirectPorts : 0);
  return r;
}

}  // namespace rdpstub
