// Stands where the session window offers no remote desktop control: every use fails, so a
// login still asks the service and then ends with the connection-failure message.
#pragma once

#include "base/exception.h"
#include "session/controle_remoto.h"

namespace orvanta {

class ControleAusente final : public ControleRemoto {
 public:
  void setUserName(std::string_view) override { falhar(); }
  void setClearTextPassword(std::string_view) override { falhar(); }
  void setDesktopWidth(int32_t) override { falhar(); }
  void setDesktopHeight(int32_t) override { falhar(); }
  void setServer(std::string_view) override { falhar(); }
  void setRdpPort(int32_t) override { falhar(); }
  void setRedirectDrives(bool) override { falhar(); }
  void setRedirectPrinters(bool) override { falhar(); }
  void setRedirectPorts(bool) override { falhar(); }
  void setFullScreen(bool) override { falhar(); }
  int16_t connected() override { return 0; }
  void connect() override { falhar(); }
  void disconnect() override {}

 private:
  [[noreturn]] static void falhar() { throw Excecao("Remote desktop control not available"); }
};

}  // namespace orvanta
