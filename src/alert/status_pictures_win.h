// The status pictures as icons: ImageList1 of the session window.
#pragma once

#include <vector>

#include "alert/status_pictures.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

class StatusPictureList {
 public:
  // Draws the pictures once.
  StatusPictureList();

  // A new icon of the picture at index, transparent where the picture is; empty for an index
  // that is not a picture.
  UniqueHicon GetIcon(int index) const;

 private:
  std::vector<std::vector<Rgba>> pictures_;
};

}  // namespace orvanta
