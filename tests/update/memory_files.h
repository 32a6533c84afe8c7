// Files held in memory, recording whether each is still open.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "base/exception.h"
#include "update/download_files.h"

namespace orvanta::test {

struct MemoryFile {
  std::string contents;
  bool isOpen = false;
  int timesCreated = 0;
};

class MemoryStream : public ByteStream {
 public:
  explicit MemoryStream(MemoryFile& file) : file_(file) { file_.isOpen = true; }
  ~MemoryStream() override { file_.isOpen = false; }

  int64_t position() const override { return position_; }
  void setPosition(int64_t position) override { position_ = position; }
  int64_t size() const override { return static_cast<int64_t>(file_.contents.size()); }
  void setSize(int64_t size) override {
    file_.contents.resize(static_cast<size_t>(size));
    position_ = std::min(position_, size);
  }
  void write(const char* data, size_t count) override {
    const auto start = static_cast<size_t>(position_);
    if (file_.contents.size() < start + count) file_.contents.resize(start + count);
    file_.contents.replace(start, count, data, count);
    position_ += static_cast<int64_t>(count);
  }

 private:
  MemoryFile& file_;
  int64_t position_ = 0;
};

class MemoryFileCreator : public DownloadFiles {
 public:
  std::unique_ptr<ByteStream> create(std::string_view name) override {
    if (fail) throw Exception("Cannot create file \"" + std::string(name) + "\"", "EFCreateError");
    MemoryFile& file = files[std::string(name)];
    file.contents.clear();
    ++file.timesCreated;
    return std::make_unique<MemoryStream>(file);
  }
  void remove(std::string_view name) override { files.erase(std::string(name)); }

  bool fail = false;
  std::map<std::string, MemoryFile> files;
};

}  // namespace orvanta::test
