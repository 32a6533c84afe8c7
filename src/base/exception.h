// The program's failure base: every failure reported to the user is an Exception.
#pragma once

#include <stdexcept>
#include <string>

namespace orvanta {

// Message text is UTF-8. The class name appears in the start-up failure box, so each
// kind of failure names itself the way the user will see it.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message, std::string className = "Exception")
      : std::runtime_error(message), className_(std::move(className)) {}

  const std::string& className() const { return className_; }

 private:
  std::string className_;
};

}  // namespace orvanta
