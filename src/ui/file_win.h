// A file opened for reading and writing, as the program's own streams use it: every failure
// throws Exception with the platform's reason.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/unique_handle_win.h"

namespace orvanta {

class WinFile {
 public:
  explicit WinFile(UniqueKernelHandle file) : file_(std::move(file)) {}

  int64_t position() const;
  void setPosition(int64_t position);
  int64_t size() const;
  // Enlarges or cuts the file; the position is kept within the new size.
  void setSize(int64_t size);
  // Writes at the position and advances it.
  void write(const char* data, size_t count);
  // Flushes and closes the file: only then is what was written known to be on disk.
  void commit();

 private:
  int64_t seek(int64_t distance, unsigned long origin) const;

  UniqueKernelHandle file_;
};

}  // namespace orvanta
