// The desktop as the alert sees it on Win32: the primary monitor's work area and the cursor.
#pragma once

#include "alert/desktop_alert.h"

namespace orvanta {

class AlertScreenWin final : public AlertScreen {
 public:
  Rect workArea() const override;
  Point cursorPos() const override;
};

}  // namespace orvanta
