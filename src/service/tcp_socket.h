// A blocking IPv4 TCP connection: POSIX sockets natively, Winsock on Windows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "service/channel.h"
#include "service/socket_timeouts.h"

namespace orvanta {

class TcpSocket : public Channel {
 public:
  // Resolves `host` to IPv4 ("LOCALHOST" in any case is 127.0.0.1) and connects, giving up at
  // `connectBy` if that comes before the connect time. Throws ErroHttp (socket) with the system
  // error number and text. Running out of either time in `timeouts` (the call time aside), or
  // past a deadline, is the system's own "timed out" error, so callers handle it like any other.
  TcpSocket(const std::string& host, int port, SocketTimeouts timeouts, Deadline connectBy = {});
  ~TcpSocket() override;
  TcpSocket(const TcpSocket&) = delete;
  TcpSocket& operator=(const TcpSocket&) = delete;

  size_t read(char* destination, size_t capacity) override;
  void write(std::string_view data) override;
  bool waitForData(int timeoutMs) override;
  bool isIdle() override;
  void setDeadline(Deadline deadline) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// "Socket Error # %d\r\n%s" with the text this program gives for the system error number.
std::string socketErrorMessage(int code);
[[noreturn]] void throwSocketError(int code);

// Host-not-found carries the Winsock number on every platform, since resolution has no errno.
constexpr int kHostNotFoundError = 11001;

}  // namespace orvanta
