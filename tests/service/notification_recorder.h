// Records a client's work notifications as "B<max>", "W<count>", "E".
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "service/http_transfer.h"

namespace orvanta::test {

struct NotificationRecorder {
  std::vector<std::string> events;
  void attach(HttpTransfer& client) {
    client.OnWorkBegin = [this](HttpTransfer&, TWorkMode m, int64_t max) {
      events.push_back((m == TWorkMode::wmRead ? "B" : "b") + std::to_string(max));
    };
    client.OnWork = [this](HttpTransfer&, TWorkMode m, int64_t n) {
      events.push_back((m == TWorkMode::wmRead ? "W" : "w") + std::to_string(n));
    };
    client.OnWorkEnd = [this](HttpTransfer&, TWorkMode m) {
      events.push_back(m == TWorkMode::wmRead ? "E" : "e");
    };
  }
};

// A ByteStream over a std::string that remembers the largest size it ever had. Sizes past
// kMaxSize are refused as a disk would refuse them, so a test shows the fault instead of dying.
class MemoryStream : public ByteStream {
 public:
  static constexpr int64_t kMaxSize = int64_t{1} << 30;

  int64_t position() const override { return position_; }
  void setPosition(int64_t p) override { position_ = p; }
  int64_t size() const override { return static_cast<int64_t>(data.size()); }
  void setSize(int64_t s) override {
    largestSize = std::max(largestSize, s);
    if (s > kMaxSize) throw std::length_error("stream size refused: " + std::to_string(s));
    data.resize(static_cast<size_t>(s));
    if (position_ > s) position_ = s;
    ++resizes;
  }
  void write(const char* d, size_t n) override {
    if (position_ + static_cast<int64_t>(n) > size())
      data.resize(static_cast<size_t>(position_) + n);
    data.replace(static_cast<size_t>(position_), n, d, n);
    position_ += static_cast<int64_t>(n);
    largestSize = std::max(largestSize, size());
  }
  std::string data;
  int resizes = 0;
  int64_t largestSize = 0;

 private:
  int64_t position_ = 0;
};

}  // namespace orvanta::test
