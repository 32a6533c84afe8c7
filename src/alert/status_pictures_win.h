// The status pictures as icons: ImageList1 of the session window.
#pragma once

#include <array>
#include <vector>

#include "alert/status_pictures.h"
#include "base/dpi_scale.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

class StatusPictureList {
 public:
  // A new icon of the picture at index drawn for a window at `dpi`, transparent where the
  // picture is not; empty for an index that is not a picture. Each picture is drawn the first
  // time it is asked for at that dpi.
  UniqueHicon GetIcon(int index, int dpi = kDesignDpi);

 private:
  struct Drawn {
    int size = 0;
    std::vector<Rgba> pixels;
  };
  std::array<Drawn, kStatusPictureCount> pictures_;
};

}  // namespace orvanta
