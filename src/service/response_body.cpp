#include "service/response_body.h"

#include <algorithm>
#include <array>

#include "service/chunked_decoder.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

constexpr int kRedirectBodyWaitMs = 5000;

}  // namespace

BodyFraming bodyFraming(const HttpResponse& response, ResponseReader& reader) {
  int c = response.code;
  if ((c >= 100 && c < 200) || c == 204 || c == 304) return BodyFraming::none;
  if (response.chunked()) return BodyFraming::chunked;
  int64_t length = response.contentLength();
  if (length == 0) return BodyFraming::none;
  if (length > 0) return BodyFraming::length;
  if (c >= 300 && c < 400 && !reader.waitForData(kRedirectBodyWaitMs)) {
    return BodyFraming::none;
  }
  return BodyFraming::untilClose;
}

void readBody(ResponseReader& reader, HttpResponse& response, BodyFraming framing,
              BodyDestination& destination, BodyObserver& observer) {
  if (framing == BodyFraming::none) return;
  int64_t expected = framing == BodyFraming::length ? response.contentLength() : 0;
  observer.start(expected);
  int64_t total = 0;
  auto countBytes = [&](int64_t n) {
    total += n;
    observer.progress(total);
  };
  try {
    if (framing == BodyFraming::chunked) {
      decodeChunked(reader, response, destination, countBytes);
    } else {
      std::array<char, ResponseReader::kPieceSize> piece;
      bool bounded = framing == BodyFraming::length;
      for (;;) {
        size_t maximum = piece.size();
        if (bounded) {
          if (total >= expected) break;
          maximum = static_cast<size_t>(std::min<int64_t>(expected - total, maximum));
        }
        size_t n = reader.read(piece.data(), maximum);
        if (n == 0) {
          if (bounded) throw ErroHttp(HttpErrorType::closed, "Connection Closed Gracefully.");
          break;
        }
        countBytes(static_cast<int64_t>(n));
        destination.receive(piece.data(), n);
      }
    }
  } catch (...) {
    observer.end();
    throw;
  }
  observer.end();
}

}  // namespace orvanta
