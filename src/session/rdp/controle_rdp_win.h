// ControleRemoto over the hosted control: simple properties by dispatch id, Connect,
// Disconnect and the advanced settings through the interfaces' function tables.
#pragma once

#include "session/controle_remoto.h"
#include "session/rdp/container_ole_win.h"

namespace orvanta::rdp {

class ControleRdp : public ControleRemoto {
 public:
  explicit ControleRdp(ContainerOle& container) : container_(container) {}

  void setUserName(std::string_view userName) override;
  void setClearTextPassword(std::string_view password) override;
  void setDesktopWidth(int32_t width) override;
  void setDesktopHeight(int32_t height) override;
  void setServer(std::string_view server) override;
  void setRdpPort(int32_t port) override;
  void setRedirectDrives(bool on) override;
  void setRedirectPrinters(bool on) override;
  void setRedirectPorts(bool on) override;
  void setFullScreen(bool on) override;
  int16_t connected() override;
  void connect() override;
  void disconnect() override;

 private:
  void escreve(DISPID id, VARIANT& valor);
  void escreveTexto(DISPID id, std::string_view texto);
  void escreveInteiro(DISPID id, int32_t numero);
  // Asked for afresh for each setting.
  ComPtr<IMsRdpClientAdvancedSettings> avancadas();

  ContainerOle& container_;
};

}  // namespace orvanta::rdp
