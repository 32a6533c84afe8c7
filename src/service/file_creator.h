// Creates the local files that downloads are written into.
#pragma once

#include <memory>
#include <string_view>

#include "service/byte_stream.h"

namespace orvanta {

class FileCreator {
 public:
  virtual ~FileCreator() = default;
  // Creates the file in the working directory, replacing any file of that name, open for
  // writing; destroying the stream closes it. Throws Exception when the file cannot be created.
  virtual std::unique_ptr<ByteStream> create(std::string_view name) = 0;
};

}  // namespace orvanta
