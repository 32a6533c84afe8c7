// A remote desktop session through the RDP bridge (tools/rdpbridge): the worker thread sends
// the connection request, keeps the remote screen as the bridge's frames arrive and reports
// connected and disconnected; input goes to the bridge from the UI thread.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link.h"
#include "rdpbridge/protocol.h"

namespace rdpstub {

class BridgeLink final : public Link {
 public:
  // bridge: "HOST:PORT" of the bridge's listener.
  BridgeLink(HWND notify, std::string bridge, rdpbridge::ConnectRequest request);
  ~BridgeLink() override;
  BridgeLink(const BridgeLink&) = delete;
  BridgeLink& operator=(const BridgeLink&) = delete;

  void close() override;
  bool closedLocally() const override { return shared_->local; }
  void key(unsigned scanCode, bool down) override;
  void pointer(unsigned flags, int x, int y) override;
  bool paint(HDC dc, const RECT& area) override;
  RECT takeChanged() override;

  // What the worker shares with the UI thread.
  struct Shared {
    std::atomic<SOCKET> socket{INVALID_SOCKET};
    std::atomic<bool> local{false};     // Disconnect was asked for
    std::atomic<bool> stopping{false};  // the link is going away: report nothing more
    std::mutex sending;
    std::mutex screen;  // guards the fields below
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // top-down rows of blue, green, red, unused
    RECT changed{};
    bool changePosted = false;
  };

 private:
  void send(const std::string& bytes);

  std::shared_ptr<Shared> shared_;
  std::thread worker_;
};

}  // namespace rdpstub
