#include "printing/store_listing.h"

namespace orvanta {
namespace {

bool breakTagAt(std::string_view text, size_t i) {
  if (text.size() - i < 4 || text[i] != '<' || text[i + 3] != '>') return false;
  return (text[i + 1] == 'b' || text[i + 1] == 'B') && (text[i + 2] == 'r' || text[i + 2] == 'R');
}

}  // namespace

std::vector<std::string> splitStoreListing(std::string_view reply) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // characters seen since the last line end
  for (size_t i = 0; i < reply.size(); ++i) {
    // "<br>" stands for a CR, so that "<br>" followed by LF is one line end, as CR LF is.
    const bool tag = breakTagAt(reply, i);
    const bool cr = tag || reply[i] == '\r';
    if (cr || reply[i] == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      open = false;
      if (tag) i += 3;
      if (cr && i + 1 < reply.size() && reply[i + 1] == '\n') ++i;
      continue;
    }
    line += reply[i];
    open = true;
  }
  if (open) lines.push_back(std::move(line));
  return lines;
}

}  // namespace orvanta
