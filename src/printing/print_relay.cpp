#include "printing/print_relay.h"

#include <algorithm>
#include <memory>

#include "base/exception.h"
#include "printing/document_name.h"
#include "printing/store_listing.h"

namespace orvanta {
namespace {

constexpr int64_t kPauseMs = 5000;
constexpr int64_t kLongestPauseMs = 60000;
constexpr int kMaxNameNumber = 9999;

// The listing as the service sent it: names go back byte for byte, whatever their encoding.
class ListingBytes final : public ByteStream {
 public:
  int64_t position() const override { return position_; }
  void setPosition(int64_t position) override { position_ = position; }
  int64_t size() const override { return static_cast<int64_t>(bytes.size()); }
  void setSize(int64_t size) override {
    bytes.resize(static_cast<size_t>(size));
    position_ = std::min(position_, size);
  }
  void write(const char* data, size_t count) override {
    const auto start = static_cast<size_t>(position_);
    if (bytes.size() < start + count) bytes.resize(start + count);
    bytes.replace(start, count, data, count);
    position_ += static_cast<int64_t>(count);
  }

  std::string bytes;

 private:
  int64_t position_ = 0;
};

}  // namespace

PrintRelay::PrintRelay(PrintRelayParts parts) : parts_(std::move(parts)) {
  parts_.timer.onTick = [this] { RotinaImpressao(); };
  try {
    for (const std::string& name : parts_.folder.namesStartingWith(kTemporaryPrefix)) {
      parts_.folder.remove(name);
    }
  } catch (...) {
    // An unreadable folder fails the documents themselves later, quietly.
  }
}

PrintRelay::~PrintRelay() {
  stop();
  parts_.timer.onTick = nullptr;
}

void PrintRelay::stop() {
  stopped_ = true;
  parts_.timer.setEnabled(false);
  parts_.worker.cancel();
  busy_ = false;
}

void PrintRelay::RotinaImpressao() {
  if (busy_ || stopped_) return;
  parts_.timer.setEnabled(false);
  busy_ = true;
  ImpressaoEmAndamento = true;
  cycleChoices_ = parts_.choices ? parts_.choices() : EscolhasLogin{};
  auto outcome = std::make_shared<CycleOutcome>();
  parts_.worker.start(
      [this, outcome, choices = cycleChoices_] {
        try {
          *outcome = runCycle(choices);
        } catch (...) {
          *outcome = CycleOutcome{};
        }
      },
      [this, outcome] { cycleEnded(*outcome); });
}

PrintRelay::CycleOutcome PrintRelay::runCycle(const EscolhasLogin& choices) {
  CycleOutcome outcome;
  ListingBytes listing;
  try {
    parts_.http.Get(parts_.endpoints.storeListing(choices.alternativeRoute, choices.typedName),
                    listing);
  } catch (...) {
    outcome.listingFailed = true;
    return outcome;
  }
  book_.update(splitStoreListing(listing.bytes));
  // An opened document is never fetched and opened again; only its removal is repeated.
  for (const std::string& entry : book_.removalsDue()) askRemoval(choices, entry);
  if (auto entry = book_.next(parts_.nowMs())) outcome.saved = fetch(choices, *entry);
  return outcome;
}

std::optional<PrintRelay::Saved> PrintRelay::fetch(const EscolhasLogin& choices,
                                                   const std::string& entry) {
  FileFolder& folder = parts_.folder;
  std::string temporary;
  std::unique_ptr<WritableFile> file;
  try {
    // Written under a temporary name, so no viewer and no later run ever finds a partial
    // document under the real one.
    for (int number = 1; !file; ++number) {
      if (number > kMaxNameNumber) throw Exception("No free temporary name", "EFCreateError");
      temporary = std::string(kTemporaryPrefix) + std::to_string(number) + ".part";
      file = folder.createNew(temporary);
    }
    Saved saved{entry, localDocumentName(entry),
                parts_.endpoints.storeFile(choices.alternativeRoute, choices.typedName, entry)};
    // Returns only with a complete 2xx body, an empty one included.
    parts_.http.Get(saved.url, *file);
    file->commit();
    file.reset();
    // An earlier document of the same name may be the user's only copy, or open in a viewer.
    const std::string wanted = saved.localName;
    for (int number = 2; !folder.rename(temporary, saved.localName); ++number) {
      if (number > kMaxNameNumber) throw Exception("No free name", "EFCreateError");
      saved.localName = numberedName(wanted, number);
    }
    return saved;
  } catch (...) {
    file.reset();
    if (!temporary.empty()) folder.remove(temporary);
    book_.fetchFailed(entry, parts_.nowMs());
    return std::nullopt;
  }
}

void PrintRelay::askRemoval(const EscolhasLogin& choices, const std::string& entry) {
  try {
    parts_.http.Get(
        parts_.endpoints.storeRemoval(choices.alternativeRoute, choices.typedName, entry));
  } catch (...) {
    // Still listed: the next cycle asks again.
  }
}

void PrintRelay::cycleEnded(const CycleOutcome& outcome) {
  busy_ = false;
  if (stopped_) return;
  if (outcome.listingFailed) {
    ImpressaoEmAndamento = false;
    ++failedListings_;
    pauseThenPoll(std::min(kPauseMs << std::min(failedListings_, 4), kLongestPauseMs));
    return;
  }
  failedListings_ = 0;
  if (outcome.saved) {
    saved_ = outcome.saved;
    if (parts_.showUrl) parts_.showUrl(saved_->url);
    IdHTTP1WorkEnd();
    saved_.reset();
  }
  ImpressaoEmAndamento = false;
  if (!busy_) pauseThenPoll(kPauseMs);
}

void PrintRelay::IdHTTP1WorkEnd() {
  if (!ImpressaoEmAndamento || !saved_) return;
  ImpressaoEmAndamento = false;
  const Saved saved = *saved_;
  saved_.reset();
  book_.opened(saved.entry);
  parts_.shell.execute("open", saved.localName);
  busy_ = true;
  parts_.worker.start(
      [this, choices = cycleChoices_, entry = saved.entry] { askRemoval(choices, entry); },
      [this] {
        busy_ = false;
        if (!stopped_) pauseThenPoll(kPauseMs);
      });
}

void PrintRelay::pauseThenPoll(int64_t pauseMs) {
  parts_.timer.setIntervalMs(static_cast<int>(pauseMs));
  parts_.timer.setEnabled(true);
}

}  // namespace orvanta
