// The status pictures as icons: ImageList1 of the session window.
#pragma once

#include <array>
#include <vector>

#include "alert/status_pictures.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

class StatusPictureList {
 public:
  // A new icon of the picture at index, transparent where the picture is; empty for an index
  // that is not a picture. Each picture is drawn the first time it is asked for.
  UniqueHicon GetIcon(int index);

 private:
  std::array<std::vector<Rgba>, kStatusPictureCount> pictures_;
};

}  // namespace orvanta
