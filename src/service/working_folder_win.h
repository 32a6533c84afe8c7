// Files in the process's working directory.
#pragma once

#include "service/file_folder.h"

namespace orvanta {

class WorkingFolder final : public FileFolder {
 public:
  // Both open the file without sharing: nothing may start or read it before it is whole.
  std::unique_ptr<WritableFile> create(std::string_view name) override;
  std::unique_ptr<WritableFile> createNew(std::string_view name) override;
  bool rename(std::string_view from, std::string_view to) override;
  void remove(std::string_view name) override;
  std::vector<std::string> namesStartingWith(std::string_view prefix) override;
};

}  // namespace orvanta
