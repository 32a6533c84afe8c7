// The plain stand-in's connection: a bare TCP connection to the server and port, held until
// either side closes it.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "link.h"

namespace rdpstub {

class TcpLink final : public Link {
 public:
  // A connection that succeeds is reported after delayMs.
  TcpLink(HWND notify, std::string host, std::string port, int delayMs);
  ~TcpLink() override;
  TcpLink(const TcpLink&) = delete;
  TcpLink& operator=(const TcpLink&) = delete;

  void close() override;
  bool closedLocally() const override { return shared_->local; }

 private:
  struct Shared {
    std::atomic<SOCKET> socket{INVALID_SOCKET};
    std::atomic<bool> local{false};
  };
  std::shared_ptr<Shared> shared_;
  std::thread worker_;
};

}  // namespace rdpstub
