// Stands where the session window offers no remote desktop control: every use fails, so a
// login still asks the service and then ends with the connection-failure message.
#pragma once

#include "base/exception.h"
#include "session/remote_desktop_control.h"

namespace orvanta {

class MissingControl final : public RemoteDesktopControl {
 public:
  void setUserName(std::string_view) override { fail(); }
  void setClearTextPassword(std::string_view) override { fail(); }
  void setDesktopWidth(int32_t) override { fail(); }
  void setDesktopHeight(int32_t) override { fail(); }
  void setServer(std::string_view) override { fail(); }
  void setRdpPort(int32_t) override { fail(); }
  void setRedirectDrives(bool) override { fail(); }
  void setRedirectPrinters(bool) override { fail(); }
  void setRedirectPorts(bool) override { fail(); }
  void setFullScreen(bool) override { fail(); }
  int16_t connected() override { return 0; }
  void connect() override { fail(); }
  void disconnect() override {}

 private:
  [[noreturn]] static void fail() { throw Exception("Remote desktop control not available"); }
};

}  // namespace orvanta
