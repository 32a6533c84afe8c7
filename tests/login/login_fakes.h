// Recording fakes for the login core's seams.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/exception.h"
#include "base/user_messages.h"
#include "service/erro_http.h"
#include "service/http_transfer.h"
#include "session/remote_desktop_control.h"

namespace orvanta::test {

// Answers each URL from a table; a URL without an answer fails as an unreachable host.
class ScriptedHttp : public HttpTransfer {
 public:
  std::map<std::string, std::string> responses;
  std::map<std::string, int> errorStatus;
  std::vector<std::string> requests;
  std::function<void()> onRequest;  // called inside each request

  std::string Get(std::string_view url) override {
    requests.emplace_back(url);
    if (onRequest) onRequest();
    const std::string key(url);
    if (auto error = errorStatus.find(key); error != errorStatus.end()) {
      throw ErroHttp(HttpErrorType::protocol, "HTTP/1.1 error", error->second);
    }
    if (auto response = responses.find(key); response != responses.end()) {
      return response->second;
    }
    throw ErroHttp(HttpErrorType::socket, "Socket Error # 10061", 10061);
  }
  void Get(std::string_view url, ByteStream&) override { Get(url); }
};

class RecordedMessages : public UserMessages {
 public:
  std::vector<std::string> shown;
  void showMessage(std::string_view text) override { shown.emplace_back(text); }
  bool confirm(std::string_view) override { return true; }
};

// Logs every write as "Name=value"; can be told to fail on one of them.
class RecordedControl : public RemoteDesktopControl {
 public:
  std::vector<std::string> calls;
  std::optional<std::string> failOn;

  void setUserName(std::string_view v) override { record("UserName", std::string(v)); }
  void setClearTextPassword(std::string_view v) override {
    record("ClearTextPassword", std::string(v));
  }
  void setDesktopWidth(int32_t v) override { record("DesktopWidth", std::to_string(v)); }
  void setDesktopHeight(int32_t v) override { record("DesktopHeight", std::to_string(v)); }
  void setServer(std::string_view v) override { record("Server", std::string(v)); }
  void setRdpPort(int32_t v) override { record("RDPPort", std::to_string(v)); }
  void setRedirectDrives(bool v) override { record("RedirectDrives", std::to_string(v)); }
  void setRedirectPrinters(bool v) override { record("RedirectPrinters", std::to_string(v)); }
  void setRedirectPorts(bool v) override { record("RedirectPorts", std::to_string(v)); }
  void setFullScreen(bool v) override { record("FullScreen", std::to_string(v)); }
  int16_t connected() override { return 0; }
  void connect() override { record("Connect", ""); }
  void disconnect() override { record("Disconnect", ""); }

 private:
  void record(const std::string& name, const std::string& value) {
    if (failOn == name) {
      throw Exception("control refused " + name, "EOleException");
    }
    calls.push_back(name + "=" + value);
  }
};

}  // namespace orvanta::test
