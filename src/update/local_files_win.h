// Files in the working directory, created for a download to write into.
#pragma once

#include "update/download_files.h"

namespace orvanta {

class LocalFiles : public DownloadFiles {
 public:
  // Opened without sharing: nothing may start or read the file while it is being written.
  std::unique_ptr<ByteStream> create(std::string_view name) override;
  void remove(std::string_view name) override;
};

}  // namespace orvanta
