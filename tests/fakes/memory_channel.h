// A Channel over memory: hands out the scripted answer in pieces of a chosen size and records
// what was written.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "service/channel.h"

namespace orvanta {

class MemoryChannel : public Channel {
 public:
  MemoryChannel(std::string entry, size_t piece, std::string* written = nullptr)
      : entry_(std::move(entry)), piece_(piece), written_(written ? written : &own_) {}

  size_t read(char* destination, size_t capacity) override {
    size_t n = std::min({capacity, piece_, entry_.size() - consumed_});
    std::memcpy(destination, entry_.data() + consumed_, n);
    consumed_ += n;
    return n;
  }
  void write(std::string_view data) override { written_->append(data); }
  bool waitForData(int) override { return true; }
  bool isIdle() override { return consumed_ < entry_.size(); }

  const std::string& written() const { return *written_; }

 private:
  std::string entry_;
  size_t piece_;
  size_t consumed_ = 0;
  std::string own_;
  std::string* written_;
};

}  // namespace orvanta
