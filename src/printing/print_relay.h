// The print relay: documents saved as PDF in the remote desktop wait in the user's store on the
// service. Each tick of ChecaImpressao starts a cycle on the worker: the listing, the removals
// still due, and the next waiting document fetched into the working directory; back on the
// window's thread the document is opened and its removal asked for. The next cycle comes 5 s
// after one ends, later while the listing fails.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/launcher.h"
#include "base/timer.h"
#include "printing/relay_book.h"
#include "printing/relay_worker.h"
#include "service/endpoints.h"
#include "service/escolhas_login.h"
#include "service/file_folder.h"
#include "service/http_transfer.h"

namespace orvanta {

struct PrintRelayParts {
  Timer& timer;  // ChecaImpressao: enabling it starts the relay
  Shell& shell;
  RelayWorker& worker;
  // Used on the worker only.
  HttpTransfer& http;
  FileFolder& folder;
  // The typed name and the route, read at the start of every cycle.
  std::function<EscolhasLogin()> choices;
  // A monotonic clock in milliseconds, read on the worker.
  std::function<int64_t()> nowMs;
  // The URL of the document being fetched (kept in a hidden field); optional.
  std::function<void(std::string_view)> showUrl;
  Endpoints endpoints = Endpoints();
};

class PrintRelay {
 public:
  // Takes over the timer's ticks and deletes temporary files an earlier run left behind.
  explicit PrintRelay(PrintRelayParts parts);
  // Cancels a running transfer; its partial file is deleted.
  ~PrintRelay();
  PrintRelay(const PrintRelay&) = delete;
  PrintRelay& operator=(const PrintRelay&) = delete;

  // One tick: starts a cycle on the worker unless one is running.
  void RotinaImpressao();
  // The end step for the document just saved: open it, then ask the store to remove it.
  // Does nothing unless a document was just saved.
  void IdHTTP1WorkEnd();
  // Stops the relay for good: no further cycle, a running transfer is cancelled.
  void stop();

  // True from the start of a cycle that may fetch a document until its end step runs.
  bool ImpressaoEmAndamento = false;

  static constexpr std::string_view kTemporaryPrefix = "~orvanta-relay-";

 private:
  struct Saved {
    std::string entry;
    std::string localName;
    std::string url;
  };
  struct CycleOutcome {
    bool listingFailed = false;
    std::optional<Saved> saved;
  };

  // Worker side; never throw.
  CycleOutcome runCycle(const EscolhasLogin& choices);
  std::optional<Saved> fetch(const EscolhasLogin& choices, const std::string& entry);
  void askRemoval(const EscolhasLogin& choices, const std::string& entry);

  // Window side.
  void cycleEnded(const CycleOutcome& outcome);
  void pauseThenPoll(int64_t pauseMs);

  PrintRelayParts parts_;
  RelayBook book_;
  bool busy_ = false;
  bool stopped_ = false;
  int failedListings_ = 0;
  std::optional<Saved> saved_;
  EscolhasLogin cycleChoices_;
};

}  // namespace orvanta
