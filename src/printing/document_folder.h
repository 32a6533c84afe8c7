// Where relayed documents are written: the working directory, or memory in tests.
#pragma once

#include <memory>
#include <string_view>

#include "service/byte_stream.h"

namespace orvanta {

// A new file open for writing and not shared; destroying it closes it.
class DocumentFile : public ByteStream {
 public:
  // Flushes and closes the file; throws Exception when either fails, since only then is the
  // document known to be on disk.
  virtual void commit() = 0;
};

class DocumentFolder {
 public:
  virtual ~DocumentFolder() = default;
  // Creates the file only when no file of that name exists (null then); never replaces one.
  // Throws Exception when the file cannot be created for another reason.
  virtual std::unique_ptr<DocumentFile> createNew(std::string_view name) = 0;
  // Deletes a file this folder created; a failure is ignored.
  virtual void remove(std::string_view name) = 0;
};

}  // namespace orvanta
