// Where relayed documents are written: the working directory, or memory in tests.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
  // Gives a closed file a new name; false when a file of that name exists (it is never
  // replaced). Throws Exception when renaming fails for another reason.
  virtual bool rename(std::string_view from, std::string_view to) = 0;
  // Deletes a file this folder created; a failure is ignored.
  virtual void remove(std::string_view name) = 0;
  // The names of the files whose name begins with `prefix`.
  virtual std::vector<std::string> namesStartingWith(std::string_view prefix) = 0;
};

}  // namespace orvanta
