// Relayed documents in the process's working directory.
#pragma once

#include "printing/document_folder.h"

namespace orvanta {

class WorkingFolder final : public DocumentFolder {
 public:
  // Opened without sharing: no viewer may read the document before it is whole.
  std::unique_ptr<DocumentFile> createNew(std::string_view name) override;
  void remove(std::string_view name) override;
};

}  // namespace orvanta
