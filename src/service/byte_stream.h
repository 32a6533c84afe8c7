// A caller-owned byte destination (a file, or memory in tests) that a download writes into.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvanta {

class ByteStream {
 public:
  virtual ~ByteStream() = default;
  virtual int64_t position() const = 0;
  virtual void setPosition(int64_t position) = 0;
  virtual int64_t size() const = 0;
  // Enlarges or cuts the stream; the position is kept within the new size.
  virtual void setSize(int64_t size) = 0;
  // Writes at the position and advances it.
  virtual void write(const char* data, size_t count) = 0;
};

}  // namespace orvanta
