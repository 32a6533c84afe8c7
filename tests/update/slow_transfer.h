// A download in real time for the Windows tests: the body arrives in pieces with blocking
// pauses in between, like a slow connection, and may end in a failure.
#pragma once

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "service/erro_http.h"
#include "service/http_transfer.h"

namespace orvanta::test {

class SlowTransfer : public HttpTransfer {
 public:
  SlowTransfer(std::string body, size_t piece, DWORD pauseMs)
      : body_(std::move(body)), piece_(piece), pauseMs_(pauseMs) {}

  std::optional<ErroHttp> failure;  // after the body, which is then an error page

  std::string Get(std::string_view) override { throw std::logic_error("text GET not expected"); }

  void Get(std::string_view aUrl, ByteStream& destination) override {
    url = aUrl;
    if (OnWorkBegin) OnWorkBegin(*this, TWorkMode::wmRead, static_cast<int64_t>(body_.size()));
    for (size_t delivered = 0; delivered < body_.size();) {
      Sleep(pauseMs_);
      const size_t n = std::min(piece_, body_.size() - delivered);
      if (OnWork) OnWork(*this, TWorkMode::wmRead, static_cast<int64_t>(delivered + n));
      if (!failure) destination.write(body_.data() + delivered, n);
      delivered += n;
      deliveredBytes = delivered;
    }
    if (OnWorkEnd) OnWorkEnd(*this, TWorkMode::wmRead);
    if (failure) throw *failure;
  }

  std::string url;
  size_t deliveredBytes = 0;  // handed over so far

 private:
  std::string body_;
  size_t piece_;
  DWORD pauseMs_;
};

}  // namespace orvanta::test
