// Relayed documents in the process's working directory.
#pragma once

#include "printing/document_folder.h"

namespace orvanta {

class WorkingFolder final : public DocumentFolder {
 public:
  // Opened without sharing: no viewer may read the document before it is whole.
  std::unique_ptr<DocumentFile> createNew(std::string_view name) override;
  bool rename(std::string_view from, std::string_view to) override;
  void remove(std::string_view name) override;
  std::vector<std::string> namesStartingWith(std::string_view prefix) override;
};

}  // namespace orvanta
