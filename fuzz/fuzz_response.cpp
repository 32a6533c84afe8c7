// Whole answers through ClienteHttp, with the socket handing them out in fuzzer-chosen pieces.
// Checked on every input: each request on the wire is well formed (lines end in CR LF, none is
// folded, no control character in a Cookie header), and a download never grows the caller's stream
// by more than one piece past the bytes that arrived, wherever the stream started.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "fakes/memory_channel.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"

namespace {

class SizeOnlyStream : public orvanta::ByteStream {
 public:
  explicit SizeOnlyStream(int64_t start) : position_(start), length_(start), largest_(start) {}
  int64_t position() const override { return position_; }
  void setPosition(int64_t p) override { position_ = p; }
  int64_t size() const override { return length_; }
  void setSize(int64_t s) override {
    length_ = s;
    largest_ = std::max(largest_, s);
    position_ = std::min(position_, s);
  }
  void write(const char*, size_t n) override {
    position_ += static_cast<int64_t>(n);
    written_ = std::max(written_, position_);
    length_ = std::max(length_, position_);
    largest_ = std::max(largest_, length_);
  }
  // The largest size the stream had, beyond what was written into it.
  int64_t growthPastWritten(int64_t start) const { return largest_ - std::max(start, written_); }

 private:
  int64_t position_, length_, largest_;
  int64_t written_ = 0;
};

void checkRequests(std::string_view wire) {
  while (!wire.empty()) {
    if (!wire.starts_with("GET ")) __builtin_trap();
    size_t end = wire.find("\r\n\r\n");
    if (end == std::string_view::npos) __builtin_trap();
    std::string_view head = wire.substr(0, end + 2);
    wire.remove_prefix(end + 4);
    while (!head.empty()) {
      size_t lineEnd = head.find("\r\n");
      std::string_view line = head.substr(0, lineEnd);
      head.remove_prefix(lineEnd + 2);
      // A folded line: servers answer 400 to it.
      if (line.starts_with(' ') || line.starts_with('\t')) __builtin_trap();
      bool cookie = line.starts_with("Cookie: ");
      for (char c : line) {
        auto b = static_cast<unsigned char>(c);
        if (b == '\r' || b == '\n') __builtin_trap();
        if (cookie && ((b < 0x20 && b != '\t') || b == 0x7F)) __builtin_trap();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length) {
  if (length < 2) return 0;
  size_t piece = data[0] % 64 + 1;
  bool text = data[1] & 1;
  bool session = data[1] & 2;
  int64_t start = data[1] >> 2;
  std::string entry(reinterpret_cast<const char*>(data + 2), length - 2);
  std::deque<std::string> written;
  orvanta::ClienteHttp client(
      session ? orvanta::HttpSettings::session() : orvanta::HttpSettings::installer(),
      [] { return int64_t{1700000000}; },
      [&](const std::string&, int, orvanta::Deadline) -> std::unique_ptr<orvanta::Channel> {
        written.emplace_back();
        return std::make_unique<orvanta::MemoryChannel>(written.size() == 1 ? entry : "", piece,
                                                        &written.back());
      });
  SizeOnlyStream stream(start);
  stream.setPosition(start);
  try {
    if (text) {
      client.Get("http://h/a/b?c");
      client.Get("http://h/a/d");
    } else {
      client.Get("http://h/a/b?c", stream);
    }
  } catch (const orvanta::ErroHttp&) {
  }
  for (const std::string& w : written) checkRequests(w);
  if (stream.growthPastWritten(start) > orvanta::ResponseReader::kPieceSize) __builtin_trap();
  return 0;
}
