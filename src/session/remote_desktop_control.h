// The remote desktop control as the program uses it. The COM-hosted platform control
// implements it on Windows; tests use fakes. Every call may throw Exception.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvanta {

class RemoteDesktopControl {
 public:
  virtual ~RemoteDesktopControl() = default;

  virtual void setUserName(std::string_view userName) = 0;
  virtual void setClearTextPassword(std::string_view password) = 0;
  virtual void setDesktopWidth(int32_t width) = 0;
  virtual void setDesktopHeight(int32_t height) = 0;
  virtual void setServer(std::string_view server) = 0;
  virtual void setRdpPort(int32_t port) = 0;
  virtual void setRedirectDrives(bool on) = 0;
  virtual void setRedirectPrinters(bool on) = 0;
  virtual void setRedirectPorts(bool on) = 0;
  virtual void setFullScreen(bool on) = 0;
  // 0 not connected, 1 connected, 2 connecting.
  virtual int16_t connected() = 0;
  virtual void connect() = 0;
  virtual void disconnect() = 0;
};

}  // namespace orvanta
