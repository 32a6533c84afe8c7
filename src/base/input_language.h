// The input language of the user-interface thread, by its ISO names.
#pragma once

#include <optional>
#include <string>

namespace orvanta {

struct LocaleNames {
  std::string language;  // ISO 639, e.g. "pt"
  std::string country;   // ISO 3166, e.g. "BR"
};

class InputLanguage {
 public:
  virtual ~InputLanguage() = default;
  // Empty when the platform cannot give both names.
  virtual std::optional<LocaleNames> current() = 0;
};

}  // namespace orvanta
