// RemoteDesktopControl over the hosted control: simple properties by dispatch id, Connect,
// Disconnect and the advanced settings through the interfaces' function tables.
#pragma once

#include "session/rdp/ole_container_win.h"
#include "session/remote_desktop_control.h"

namespace orvanta::rdp {

class RdpControl : public RemoteDesktopControl {
 public:
  explicit RdpControl(OleContainer& container) : container_(container) {}

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
  void putProperty(DISPID id, VARIANT& value);
  void putText(DISPID id, std::string_view text);
  void putInteger(DISPID id, int32_t number);
  // Asked for afresh for each setting.
  ComPtr<IMsRdpClientAdvancedSettings> advancedSettings();

  OleContainer& container_;
};

}  // namespace orvanta::rdp
