// Files held in memory, recording what was created, committed, deleted and whether each is still
// open; can be told to fail at each step.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/exception.h"
#include "service/file_folder.h"

namespace orvanta::test {

struct FakeFile {
  std::string content;
  bool open = false;
  bool committed = false;
  int timesCreated = 0;
};

class FakeFileFolder final : public FileFolder {
 public:
  std::unique_ptr<WritableFile> create(std::string_view name) override;
  std::unique_ptr<WritableFile> createNew(std::string_view name) override;
  void remove(std::string_view name) override {
    removed.emplace_back(name);
    files.erase(std::string(name));
  }

  bool rename(std::string_view from, std::string_view to) override {
    if (files.contains(std::string(to))) return false;
    auto node = files.extract(std::string(from));
    if (node.empty()) throw Exception("Cannot rename file \"" + std::string(from) + "\"");
    node.key() = std::string(to);
    files.insert(std::move(node));
    return true;
  }
  std::vector<std::string> namesStartingWith(std::string_view prefix) override {
    std::vector<std::string> names;
    for (const auto& [name, file] : files) {
      if (name.starts_with(prefix)) names.push_back(name);
    }
    return names;
  }

  std::map<std::string, FakeFile> files;
  std::vector<std::string> removed;
  bool failCreate = false;
  // A write that would take a file past this many bytes fails, as on a full disk.
  std::optional<size_t> diskSpace;
  bool failCommit = false;

 private:
  class File;

  void failIfTold(std::string_view name) const {
    if (failCreate)
      throw Exception("Cannot create file \"" + std::string(name) + "\"", "EFCreateError");
  }
};

class FakeFileFolder::File final : public WritableFile {
 public:
  File(FakeFileFolder& folder, FakeFile& file) : folder_(folder), file_(file) {
    file_.open = true;
    ++file_.timesCreated;
  }
  ~File() override { file_.open = false; }

  int64_t position() const override { return position_; }
  void setPosition(int64_t position) override { position_ = position; }
  int64_t size() const override { return static_cast<int64_t>(file_.content.size()); }
  void setSize(int64_t size) override {
    file_.content.resize(static_cast<size_t>(size));
    position_ = std::min(position_, size);
  }
  void write(const char* data, size_t count) override {
    const auto start = static_cast<size_t>(position_);
    if (folder_.diskSpace && start + count > *folder_.diskSpace) {
      throw Exception("Stream write error", "EWriteError");
    }
    if (file_.content.size() < start + count) file_.content.resize(start + count);
    file_.content.replace(start, count, data, count);
    position_ += static_cast<int64_t>(count);
  }
  void commit() override {
    if (folder_.failCommit) throw Exception("Stream write error", "EWriteError");
    file_.committed = true;
    file_.open = false;
  }

 private:
  FakeFileFolder& folder_;
  FakeFile& file_;
  int64_t position_ = 0;
};

inline std::unique_ptr<WritableFile> FakeFileFolder::create(std::string_view name) {
  failIfTold(name);
  FakeFile& file = files[std::string(name)];
  file.content.clear();
  file.committed = false;
  return std::make_unique<File>(*this, file);
}

inline std::unique_ptr<WritableFile> FakeFileFolder::createNew(std::string_view name) {
  failIfTold(name);
  const auto [it, created] = files.try_emplace(std::string(name));
  if (!created) return nullptr;
  return std::make_unique<File>(*this, it->second);
}

}  // namespace orvanta::test
