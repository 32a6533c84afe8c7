// What the relay remembers of the store's entries during one run: which were opened and still
// wait for their removal, and which were set aside after failed fetches and when to try them
// again. Entries are the listing's bytes, whatever their encoding.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

// The local name of an entry: the entry itself when it is UTF-8, else read as ISO-8859-1.
std::string localDocumentName(const std::string& entry);

class RelayBook {
 public:
  // Takes a fresh listing: an entry no longer listed is forgotten, so a name that comes back
  // later is a new document.
  void update(const std::vector<std::string>& listing);
  // The opened entries still listed: only their removal is asked again.
  std::vector<std::string> removalsDue() const;
  // The next entry to fetch: PDFs with a safe local name, not opened yet; entries that never
  // failed first, in listing order, then set-aside entries whose pause is over.
  std::optional<std::string> next(int64_t nowMs) const;

  void fetchFailed(const std::string& entry, int64_t nowMs);
  void opened(const std::string& entry);

  // The pause before an entry that failed `failures` times is tried again.
  static int64_t retryPauseMs(int failures);

 private:
  struct State {
    int failures = 0;
    int64_t retryAtMs = 0;
    bool opened = false;
  };
  std::vector<std::string> listing_;
  std::map<std::string, State> states_;
};

}  // namespace orvanta
