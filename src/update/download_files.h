// The working directory's files as the download windows use them: created for a download and
// removed again when the download fails, so that no partial program is left to be started.
#pragma once

#include <string_view>

#include "service/file_creator.h"

namespace orvanta {

class DownloadFiles : public FileCreator {
 public:
  // Removes the file; one that is not there or cannot be removed is left as it is.
  virtual void remove(std::string_view name) = 0;
};

}  // namespace orvanta
