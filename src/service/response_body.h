// Reading one answer's body with its framing, reporting progress as it goes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "service/http_response.h"
#include "service/response_reader.h"

namespace orvanta {

// Where body bytes go.
class BodyDestination {
 public:
  virtual ~BodyDestination() = default;
  virtual void receive(const char* data, size_t count) = 0;
};

// Keeps the first `limit` bytes and drops the rest, so an error page cannot exhaust memory.
class MemoryDestination : public BodyDestination {
 public:
  explicit MemoryDestination(size_t limit = SIZE_MAX) : limit_(limit) {}
  void receive(const char* data, size_t count) override {
    if (bytes_.size() < limit_) bytes_.append(data, std::min(count, limit_ - bytes_.size()));
  }
  const std::string& bytes() const { return bytes_; }

 private:
  size_t limit_;
  std::string bytes_;
};

// The begin/progress/end notifications of one body.
class BodyObserver {
 public:
  virtual ~BodyObserver() = default;
  virtual void start(int64_t expected) = 0;
  // Called with the running total each time bytes are consumed, before they are delivered.
  virtual void progress(int64_t total) = 0;
  virtual void end() = 0;
};

enum class BodyFraming { none, chunked, length, untilClose };

// How the body of `response` is framed. A 3xx without a length waits up to 5000 ms for data.
BodyFraming bodyFraming(const HttpResponse& response, ResponseReader& reader);

// Reads the body, framed as decided. Trailer lines of a chunked body join the headers.
// Throws closed when the server closes inside a chunked or before a Content-Length body ends;
// the end notification has fired by then.
void readBody(ResponseReader& reader, HttpResponse& response, BodyFraming framing,
              BodyDestination& destination, BodyObserver& observer);

}  // namespace orvanta
