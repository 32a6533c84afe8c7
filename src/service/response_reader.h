// Buffered reading of an answer's lines and bytes from a Channel.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "service/channel.h"

namespace orvanta {

class ResponseReader {
 public:
  static constexpr size_t kPieceSize = 32768;
  static constexpr size_t kMaxLine = 16384;

  explicit ResponseReader(Channel& channel) : channel_(channel) {}

  // A line up to LF, without the CR before it. Empty optional when the peer closed before any
  // byte of the line; a partial line when it closed in the middle. Throws "Max line length
  // exceeded." when the line without its CR LF or LF is longer than kMaxLine bytes.
  std::optional<std::string> readLine();
  // Up to `maximum` bytes (at most one piece); 0 when the peer closed.
  size_t read(char* destination, size_t maximum);
  // True when bytes are buffered or arrive (or a close) within the time.
  bool waitForData(int timeoutMs);
  bool closed() const { return closed_; }
  bool hasBuffered() const { return start_ < end_; }

 private:
  bool fill();

  Channel& channel_;
  std::array<char, kPieceSize> buffer_{};
  size_t start_ = 0;
  size_t end_ = 0;
  bool closed_ = false;
};

}  // namespace orvanta
