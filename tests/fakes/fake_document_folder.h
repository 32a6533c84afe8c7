// Documents held in memory, recording what was created, committed and deleted; can be told
// to fail at each step.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/exception.h"
#include "printing/document_folder.h"

namespace orvanta::test {

struct FakeDocument {
  std::string content;
  bool open = false;
  bool committed = false;
};

class FakeDocumentFolder final : public DocumentFolder {
 public:
  std::unique_ptr<DocumentFile> createNew(std::string_view name) override;
  void remove(std::string_view name) override {
    removed.emplace_back(name);
    files.erase(std::string(name));
  }

  std::map<std::string, FakeDocument> files;
  std::vector<std::string> removed;
  bool failCreate = false;
  // A write that would take a file past this many bytes fails, as on a full disk.
  std::optional<size_t> diskSpace;
  bool failCommit = false;

 private:
  class File;
};

class FakeDocumentFolder::File final : public DocumentFile {
 public:
  File(FakeDocumentFolder& folder, FakeDocument& document) : folder_(folder), doc_(document) {
    doc_.open = true;
  }
  ~File() override { doc_.open = false; }

  int64_t position() const override { return position_; }
  void setPosition(int64_t position) override { position_ = position; }
  int64_t size() const override { return static_cast<int64_t>(doc_.content.size()); }
  void setSize(int64_t size) override {
    doc_.content.resize(static_cast<size_t>(size));
    position_ = std::min(position_, size);
  }
  void write(const char* data, size_t count) override {
    const auto start = static_cast<size_t>(position_);
    if (folder_.diskSpace && start + count > *folder_.diskSpace) {
      throw Exception("Stream write error", "EWriteError");
    }
    if (doc_.content.size() < start + count) doc_.content.resize(start + count);
    doc_.content.replace(start, count, data, count);
    position_ += static_cast<int64_t>(count);
  }
  void commit() override {
    if (folder_.failCommit) throw Exception("Stream write error", "EWriteError");
    doc_.committed = true;
    doc_.open = false;
  }

 private:
  FakeDocumentFolder& folder_;
  FakeDocument& doc_;
  int64_t position_ = 0;
};

inline std::unique_ptr<DocumentFile> FakeDocumentFolder::createNew(std::string_view name) {
  if (failCreate)
    throw Exception("Cannot create file \"" + std::string(name) + "\"", "EFCreateError");
  const auto [it, created] = files.try_emplace(std::string(name));
  if (!created) return nullptr;
  return std::make_unique<File>(*this, it->second);
}

}  // namespace orvanta::test
