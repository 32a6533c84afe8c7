// A two-way byte stream the HTTP protocol code talks through: a socket, a memory buffer or a
// fuzzer.
#pragma once

#include <cstddef>
#include <string_view>

#include "service/deadline.h"

namespace orvanta {

class Channel {
 public:
  virtual ~Channel() = default;
  // Reads up to `capacity` bytes, blocking until at least one arrives; 0 means the peer closed.
  // Throws ErroHttp (socket) on a system error, a time-out included.
  virtual size_t read(char* destination, size_t capacity) = 0;
  // Sends all of `data` in one go. Throws ErroHttp (socket), a time-out included.
  virtual void write(std::string_view data) = 0;
  // Waits up to `timeoutMs` for something to read (data or a close); false on time-out.
  virtual bool waitForData(int timeoutMs) = 0;
  // False once the peer has closed, reset or sent something unasked while idle.
  virtual bool isIdle() = 0;
  // From now on reads, writes and waits also end at `deadline`, reads and writes as timed out;
  // none lifts it. Channels without time (memory) ignore it.
  virtual void setDeadline(Deadline) {}
};

}  // namespace orvanta
