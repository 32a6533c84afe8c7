// UserMessages as the platform's message boxes, through the application's box seam.
#pragma once

#include "base/user_messages.h"
#include "ui/application_win.h"

namespace orvanta {

class WinUserMessages final : public UserMessages {
 public:
  explicit WinUserMessages(Application& app) : app_(app) {}
  void showMessage(std::string_view text) override;
  bool confirm(std::string_view text) override;

 private:
  Application& app_;
};

// Information box over the active window: application title, no icon, one OK.
void ShowMessage(Application& app, std::string_view text);

}  // namespace orvanta
