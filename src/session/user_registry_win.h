// UserRegistry over HKEY_CURRENT_USER.
#pragma once

#include "session/user_registry.h"

namespace orvanta {

class UserRegistryWin : public UserRegistry {
 public:
  bool writeDword(std::string_view key, std::string_view name, uint32_t value) override;
};

}  // namespace orvanta
