#include "service/response_reader.h"

#include <algorithm>
#include <cstring>

#include "service/erro_http.h"

namespace orvanta {

bool ResponseReader::fill() {
  if (start_ < end_) return true;
  if (closed_) return false;
  start_ = 0;
  end_ = channel_.read(buffer_.data(), buffer_.size());
  if (end_ == 0) closed_ = true;
  return end_ > 0;
}

namespace {

[[noreturn]] void throwLineTooLong() {
  throw ErroHttp(HttpErrorType::other, "Max line length exceeded.");
}

}  // namespace

std::optional<std::string> ResponseReader::readLine() {
  std::string line;
  bool gotAny = false;
  while (fill()) {
    gotAny = true;
    const char* head = buffer_.data() + start_;
    size_t available = end_ - start_;
    const void* lf = std::memchr(head, '\n', available);
    size_t take = lf ? static_cast<size_t>(static_cast<const char*>(lf) - head) : available;
    // The limit is on the line without its ending; a CR may still be the first half of it.
    if (line.size() + take > kMaxLine + 1) throwLineTooLong();
    line.append(head, take);
    start_ += take;
    if (lf) {
      ++start_;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > kMaxLine) throwLineTooLong();
      return line;
    }
    if (line.size() > kMaxLine && line.back() != '\r') throwLineTooLong();
  }
  if (!gotAny) return std::nullopt;
  if (line.size() > kMaxLine) throwLineTooLong();
  return line;
}

size_t ResponseReader::read(char* destination, size_t maximum) {
  // A whole piece with nothing buffered goes straight from the socket to the caller: large bodies
  // then cost one copy less, and never more than `maximum` is taken from the connection.
  if (start_ == end_ && !closed_ && maximum >= kPieceSize) {
    size_t n = channel_.read(destination, kPieceSize);
    if (n == 0) closed_ = true;
    return n;
  }
  if (!fill()) return 0;
  size_t n = std::min({maximum, end_ - start_, kPieceSize});
  std::memcpy(destination, buffer_.data() + start_, n);
  start_ += n;
  return n;
}

bool ResponseReader::waitForData(int timeoutMs) {
  if (start_ < end_ || closed_) return true;
  return channel_.waitForData(timeoutMs);
}

}  // namespace orvanta
