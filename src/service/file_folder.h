// The working directory's files as downloads and relayed documents are written into it, or
// memory in tests.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "service/byte_stream.h"

namespace orvanta {

// A file open for writing and not shared; destroying it closes it.
class WritableFile : public ByteStream {
 public:
  // Flushes and closes the file; throws Exception when either fails, since only then is what
  // was written known to be on disk.
  virtual void commit() = 0;
};

class FileFolder {
 public:
  virtual ~FileFolder() = default;
  // Creates the file, replacing any file of that name. Throws Exception when it cannot.
  virtual std::unique_ptr<WritableFile> create(std::string_view name) = 0;
  // Creates the file only when no file of that name exists (null then); never replaces one.
  // Throws Exception when the file cannot be created for another reason.
  virtual std::unique_ptr<WritableFile> createNew(std::string_view name) = 0;
  // Gives a closed file a new name; false when a file of that name exists (it is never
  // replaced). Throws Exception when renaming fails for another reason.
  virtual bool rename(std::string_view from, std::string_view to) = 0;
  // Deletes the file; one that is not there or cannot be deleted is left as it is.
  virtual void remove(std::string_view name) = 0;
  // The names of the files whose name begins with `prefix`.
  virtual std::vector<std::string> namesStartingWith(std::string_view prefix) = 0;
};

}  // namespace orvanta
