#include "alert/desktop_alert_win.h"

namespace orvanta {

TJvDesktopAlert::TJvDesktopAlert(Application& app, AlertStack& stack, FadeStyleOptions StyleOptions)
    : form_(app),
      animationTimer_(app),
      mouseTimer_(app),
      alert_(form_, screen_, stack, animationTimer_, mouseTimer_, StyleOptions) {
  form_.onPointerEnter = [this] { alert_.pointerEntered(); };
  form_.onPointerLeave = [this] { alert_.pointerLeft(); };
  form_.onCloseButtonClick = [this] { alert_.closeButtonClicked(); };
}

}  // namespace orvanta
