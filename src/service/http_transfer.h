// What a window asks of its HTTP client. ClienteHttp is the real one; tests use fakes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "service/byte_stream.h"

namespace orvanta {

enum class TWorkMode { wmRead, wmWrite };

class HttpTransfer {
 public:
  virtual ~HttpTransfer() = default;

  // GET returning the body decoded as text (UTF-8). Throws ErroHttp.
  virtual std::string Get(std::string_view aUrl) = 0;
  // GET writing the raw body into the caller's stream from its position. Throws ErroHttp.
  virtual void Get(std::string_view aUrl, ByteStream& aResponseContent) = 0;

  // Optional notifications, fired synchronously while a body is read.
  std::function<void(HttpTransfer& sender, TWorkMode mode, int64_t workCountMax)> OnWorkBegin;
  std::function<void(HttpTransfer& sender, TWorkMode mode, int64_t workCount)> OnWork;
  std::function<void(HttpTransfer& sender, TWorkMode mode)> OnWorkEnd;
};

}  // namespace orvanta
