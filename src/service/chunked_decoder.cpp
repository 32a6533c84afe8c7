#include "service/chunked_decoder.h"

#include <algorithm>
#include <array>

#include "service/ascii_text.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

[[noreturn]] void throwClosedMidBody() {
  throw ErroHttp(HttpErrorType::closed, "Connection Closed Gracefully.");
}

int64_t chunkSize(std::string_view line) {
  std::string_view hex = trim(line.substr(0, line.find(';')));
  if (hex.empty()) throw ErroHttp(HttpErrorType::other, "Invalid chunk size.");
  int64_t n = 0;
  for (char c : hex) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (lowerAscii(c) >= 'a' && lowerAscii(c) <= 'f') {
      d = lowerAscii(c) - 'a' + 10;
    } else {
      throw ErroHttp(HttpErrorType::other, "Invalid chunk size.");
    }
    if (n > (INT64_MAX >> 4)) throw ErroHttp(HttpErrorType::other, "Invalid chunk size.");
    n = n * 16 + d;
  }
  return n;
}

}  // namespace

void decodeChunked(ResponseReader& reader, HttpResponse& response, BodyDestination& destination,
                   const std::function<void(int64_t)>& countBytes) {
  std::array<char, ResponseReader::kPieceSize> piece;
  for (;;) {
    auto line = reader.readLine();
    if (!line) throwClosedMidBody();
    countBytes(static_cast<int64_t>(line->size()) + 2);
    int64_t remaining = chunkSize(*line);
    if (remaining == 0) break;
    while (remaining > 0) {
      size_t n = reader.read(piece.data(), static_cast<size_t>(std::min<int64_t>(
                                               remaining, static_cast<int64_t>(piece.size()))));
      if (n == 0) throwClosedMidBody();
      countBytes(static_cast<int64_t>(n));
      destination.receive(piece.data(), n);
      remaining -= static_cast<int64_t>(n);
    }
    if (!reader.readLine()) throwClosedMidBody();
  }
  readHeaders(reader, response);
}

}  // namespace orvanta
