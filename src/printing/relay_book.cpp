#include "printing/relay_book.h"

#include <algorithm>
#include <set>

#include "printing/document_name.h"
#include "service/text_decoding.h"

namespace orvanta {
namespace {

constexpr int64_t kFirstPauseMs = 5000;
constexpr int64_t kLongestPauseMs = 60000;
// From this many failures on, an entry is tried at most once a minute.
constexpr int kStubbornFailures = 3;

bool isUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xC2 && lead < 0xE0  ? 2
                    : lead >= 0xE0 && lead < 0xF0  ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

std::string localDocumentName(const std::string& entry) {
  return isUtf8(entry) ? entry : toUtf8(entry, "ISO-8859-1");
}

int64_t RelayBook::retryPauseMs(int failures) {
  if (failures >= kStubbornFailures) return kLongestPauseMs;
  return std::min(kFirstPauseMs << std::max(failures - 1, 0), kLongestPauseMs);
}

void RelayBook::update(const std::vector<std::string>& listing) {
  listing_ = listing;
  const std::set<std::string> listed(listing.begin(), listing.end());
  std::erase_if(states_, [&](const auto& entry) { return !listed.contains(entry.first); });
}

std::vector<std::string> RelayBook::removalsDue() const {
  std::vector<std::string> due;
  for (const auto& [entry, state] : states_) {
    if (state.opened) due.push_back(entry);
  }
  return due;
}

std::optional<std::string> RelayBook::next(int64_t nowMs) const {
  std::optional<std::string> setAside;
  for (const std::string& entry : listing_) {
    const std::string local = localDocumentName(entry);
    if (!isPdfName(local) || !isSafeDocumentName(local)) continue;
    const auto state = states_.find(entry);
    if (state == states_.end()) return entry;
    if (state->second.opened || state->second.failures == 0) continue;
    if (!setAside && state->second.retryAtMs <= nowMs) setAside = entry;
  }
  return setAside;
}

void RelayBook::fetchFailed(const std::string& entry, int64_t nowMs) {
  State& state = states_[entry];
  ++state.failures;
  state.retryAtMs = nowMs + retryPauseMs(state.failures);
}

void RelayBook::opened(const std::string& entry) {
  states_[entry].opened = true;
}

}  // namespace orvanta
