// The failure of an HTTP call.
#pragma once

#include <optional>
#include <string>

#include "base/exception.h"

namespace orvanta {

enum class HttpErrorType {
  protocol,  // the server answered with a status the call does not accept
  socket,    // an operating-system socket error
  closed,    // the server closed the connection where an answer was still due
  other,
};

class ErroHttp : public Exception {
 public:
  ErroHttp(HttpErrorType type, const std::string& message, std::optional<int> code = std::nullopt,
           std::string errorText = {})
      : Exception(message, "ErroHttp"),
        type_(type),
        code_(code),
        errorText_(std::move(errorText)) {}

  HttpErrorType type() const { return type_; }
  // Protocol: the status code (-1 when unreadable); socket: the system error number.
  std::optional<int> code() const { return code_; }
  // Protocol only: the error answer's body decoded as text.
  const std::string& errorText() const { return errorText_; }

 private:
  HttpErrorType type_;
  std::optional<int> code_;
  std::string errorText_;
};

}  // namespace orvanta
