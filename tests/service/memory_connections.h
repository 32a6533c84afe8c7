// Feeds a ClienteHttp scripted answers over memory channels, one per connection it opens.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "fakes/memory_channel.h"
#include "service/cliente_http.h"

namespace orvanta::test {

struct MemoryConnections {
  explicit MemoryConnections(std::vector<std::string> r, size_t p = 32768)
      : responses(std::move(r)), piece(p) {}

  std::vector<std::string> responses;  // one per connection, in order
  size_t piece = 32768;
  std::deque<std::string> sent;           // request bytes per connection
  std::vector<std::string> destinations;  // "host:port" per connection

  ClienteHttp::ChannelOpener openChannel() {
    return [this](const std::string& host, int port, Deadline) -> std::unique_ptr<Channel> {
      destinations.push_back(host + ":" + std::to_string(port));
      sent.emplace_back();
      std::string entry =
          destinations.size() <= responses.size() ? responses[destinations.size() - 1] : "";
      return std::make_unique<MemoryChannel>(std::move(entry), piece, &sent.back());
    };
  }
};

}  // namespace orvanta::test
