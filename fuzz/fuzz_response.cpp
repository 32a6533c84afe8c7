// Whole answers through ClienteHttp, with the socket handing them out in fuzzer-chosen pieces.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/memory_channel.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"

namespace {

class NullStream : public orvanta::ByteStream {
 public:
  int64_t position() const override { return position_; }
  void setPosition(int64_t p) override { position_ = p; }
  int64_t size() const override { return length_; }
  void setSize(int64_t s) override { length_ = s; }
  void write(const char*, size_t n) override { position_ += static_cast<int64_t>(n); }

 private:
  int64_t position_ = 0, length_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length) {
  if (length < 2) return 0;
  size_t piece = data[0] % 64 + 1;
  bool text = data[1] & 1;
  bool session = data[1] & 2;
  std::string entry(reinterpret_cast<const char*>(data + 2), length - 2);
  int openCount = 0;
  orvanta::ClienteHttp client(
      session ? orvanta::HttpSettings::session() : orvanta::HttpSettings::installer(),
      [] { return int64_t{1700000000}; },
      [&](const std::string&, int) -> std::unique_ptr<orvanta::Channel> {
        return std::make_unique<orvanta::MemoryChannel>(openCount++ == 0 ? entry : "", piece);
      });
  try {
    if (text) {
      client.Get("http://h/a/b?c");
    } else {
      NullStream stream;
      client.Get("http://h/a/b?c", stream);
    }
  } catch (const orvanta::ErroHttp&) {
  }
  return 0;
}
