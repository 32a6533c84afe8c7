// Modal boxes the core shows to the user. Texts are UTF-8.
#pragma once

#include <string_view>

namespace orvanta {

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  // Information box: application title as caption, no icon, one "OK".
  virtual void showMessage(std::string_view text) = 0;
  // Confirmation box captioned "Confirm" with "&Yes" (default) and "&No"; true for Yes.
  virtual bool confirm(std::string_view text) = 0;
};

}  // namespace orvanta
