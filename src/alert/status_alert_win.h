// The session's status alert: JvDesktopAlert1 showing the pictures of ImageList1.
#pragma once

#include "alert/alert_stack.h"
#include "alert/desktop_alert_win.h"
#include "alert/status_alert.h"
#include "alert/status_pictures_win.h"

namespace orvanta {

class StatusAlertWin : public StatusAlert {
  // Every alert of the program stacks here; this is the only one.
  AlertStack stack_;

 public:
  // Stays until it is closed, at 200 of 255 so the desktop shows faintly through.
  explicit StatusAlertWin(Application& app)
      : JvDesktopAlert1(app, stack_, {.DisplayDuration = 0, .MaxAlphaBlendValue = 200}) {}

  void show(std::string_view text, int pictureIndex) override {
    JvDesktopAlert1.setMessageText(text);
    JvDesktopAlert1.setImage(ImageList1.GetIcon(pictureIndex, JvDesktopAlert1.form().dpi()));
    JvDesktopAlert1.Execute();
  }
  void close() override { JvDesktopAlert1.Close(false); }

  StatusPictureList ImageList1;
  TJvDesktopAlert JvDesktopAlert1;
};

}  // namespace orvanta
