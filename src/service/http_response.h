// The status line and headers of one answer, and the fields taken from them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "service/response_reader.h"

namespace orvanta {

struct HttpResponse {
  std::string statusLine;
  int code = -1;
  std::vector<std::pair<std::string, std::string>> headers;

  // The first header of that name (any letter case).
  std::optional<std::string_view> value(std::string_view name) const;
  std::vector<std::string_view> all(std::string_view name) const;
  // -1 when absent or not a number.
  int64_t contentLength() const;
  bool chunked() const;
  // True when the connection may carry the next request: HTTP/1.1 unless Connection or
  // Proxy-Connection says "close", HTTP/1.0 only when one says "keep-alive", and in both only
  // when the body's end was known from its length or chunking rather than from a close.
  bool allowsReuse() const;
};

// Most header bytes one answer may carry, so a hostile server cannot exhaust memory.
constexpr size_t kMaxHeaderBlock = 1024 * 1024;

// Header lines up to the empty line, continuation lines joined. A close ends them quietly.
// Throws "Header block too large." past kMaxHeaderBlock.
void readHeaders(ResponseReader& reader, HttpResponse& response);

// Status line and headers, 100 answers skipped (each still shown to `onRead`). Throws closed
// when nothing arrives, and other for a head that leaves the body's length in doubt (differing
// Content-Length values, a first header line beginning with a blank).
HttpResponse readResponse(ResponseReader& reader,
                          const std::function<void(const HttpResponse&)>& onRead = {});

}  // namespace orvanta
