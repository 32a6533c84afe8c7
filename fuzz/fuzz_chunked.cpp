// The chunked decoder on its own, read one fuzzer-chosen piece size at a time.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/memory_channel.h"
#include "service/chunked_decoder.h"
#include "service/erro_http.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t length) {
  if (length < 1) return 0;
  orvanta::MemoryChannel channel(std::string(reinterpret_cast<const char*>(data + 1), length - 1),
                                 data[0] % 16 + 1);
  orvanta::ResponseReader reader(channel);
  orvanta::HttpResponse response;
  orvanta::MemoryDestination destination(1 << 20);
  int64_t total = 0;
  try {
    orvanta::decodeChunked(reader, response, destination, [&](int64_t n) { total += n; });
  } catch (const orvanta::ErroHttp&) {
  }
  return 0;
}
