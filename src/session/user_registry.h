// The current user's registry, as far as the session start writes to it.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvanta {

class UserRegistry {
 public:
  virtual ~UserRegistry() = default;
  // Opens or creates the key, writes a REG_DWORD and closes the key; false when the write
  // (or the opening before it) failed.
  virtual bool writeDword(std::string_view key, std::string_view name, uint32_t value) = 0;
};

}  // namespace orvanta
