#include "printing/print_relay.h"

#include <algorithm>

#include "base/exception.h"
#include "printing/document_name.h"
#include "printing/store_listing.h"

namespace orvanta {
namespace {

constexpr int kMaxNameNumber = 9999;

struct CreatedFile {
  std::string name;
  std::unique_ptr<DocumentFile> file;
};

// An earlier document of the same name may be the user's only copy, or open in a viewer: the
// new one goes to the first free "name (n).ext".
CreatedFile createFirstFree(DocumentFolder& folder, const std::string& entry) {
  if (auto file = folder.createNew(entry)) return {entry, std::move(file)};
  for (int number = 2; number <= kMaxNameNumber; ++number) {
    std::string name = numberedName(entry, number);
    if (auto file = folder.createNew(name)) return {std::move(name), std::move(file)};
  }
  throw Exception("No free name for \"" + entry + "\"", "EFCreateError");
}

}  // namespace

PrintRelay::PrintRelay(Timer& printRelayTimer, Shell& shell, PrintRelayHost& host,
                       Endpoints endpoints)
    : printRelayTimer_(printRelayTimer),
      shell_(shell),
      host_(host),
      endpoints_(std::move(endpoints)) {
  printRelayTimer_.onTick = [this] { RotinaImpressao(); };
}

PrintRelay::~PrintRelay() {
  printRelayTimer_.onTick = nullptr;
}

void PrintRelay::RotinaImpressao() {
  try {
    poll();
  } catch (...) {
    ImpressaoEmAndamento = false;
  }
  // Whatever became of this document, the next poll comes one interval later.
  if (!printRelayTimer_.enabled()) printRelayTimer_.setEnabled(true);
}

void PrintRelay::poll() {
  ImpressaoEmAndamento = false;
  listing_.clear();
  HttpTransfer* http = host_.relayHttp();
  DocumentFolder* folder = host_.relayFolder();
  if (http == nullptr || folder == nullptr) return;
  const EscolhasLogin choices = host_.relayChoices();
  try {
    listing_ = splitStoreListing(
        http->Get(endpoints_.storeListing(choices.alternativeRoute, choices.typedName)));
  } catch (...) {
    return;  // the service is unreachable or refused: ask again next tick
  }
  // An entry that is not a plain file name could write outside the working directory or to a
  // device: it is left in the store, and never keeps the documents behind it waiting.
  const auto safe = std::find_if(listing_.begin(), listing_.end(),
                                 [](const std::string& e) { return isSafeDocumentName(e); });
  if (safe == listing_.end()) return;
  printRelayTimer_.setEnabled(false);
  IndiceImpressao = static_cast<int>(safe - listing_.begin());
  if (fetchDocument(*http, *folder, *safe)) IdHTTP1WorkEnd();
}

bool PrintRelay::fetchDocument(HttpTransfer& http, DocumentFolder& folder,
                               const std::string& entry) {
  CreatedFile created;
  try {
    created = createFirstFree(folder, entry);
  } catch (...) {
    return false;
  }
  ImpressaoEmAndamento = true;
  try {
    const EscolhasLogin choices = host_.relayChoices();
    const std::string url =
        endpoints_.storeFile(choices.alternativeRoute, choices.typedName, entry);
    host_.showRelayUrl(url);
    // Returns only with a complete 2xx body, an empty one included.
    http.Get(url, *created.file);
    created.file->commit();
    localName_ = created.name;
    return true;
  } catch (...) {
    // A partial document is no document: nothing is opened, nothing removed from the store.
    created.file.reset();
    folder.remove(created.name);
    ImpressaoEmAndamento = false;
    return false;
  }
}

// Runs once the fetch has returned and the file is closed, rather than on the client's
// end-of-body notification: an empty body raises none, and a viewer must find the whole file.
void PrintRelay::IdHTTP1WorkEnd() {
  if (!ImpressaoEmAndamento) return;
  ImpressaoEmAndamento = false;
  // Anything else placed in the store (a program, a script, a shortcut) would run if opened.
  if (isPdfName(localName_)) shell_.execute("open", localName_);
  try {
    if (HttpTransfer* http = host_.relayHttp()) {
      const EscolhasLogin choices = host_.relayChoices();
      http->Get(endpoints_.storeRemoval(choices.alternativeRoute, choices.typedName,
                                        listing_.at(static_cast<size_t>(IndiceImpressao))));
    }
  } catch (...) {
    // Still in the store: it is fetched again, under a new local name, on a later cycle.
  }
  printRelayTimer_.setEnabled(true);
}

}  // namespace orvanta
