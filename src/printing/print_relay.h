// The print relay: documents saved as PDF in the remote desktop wait in the user's store on the
// service. Each tick of ChecaImpressao asks for the listing, fetches the first waiting document
// into the working directory, opens it and asks the service to remove it from the store. One
// document per cycle; the timer is off while a document is being relayed.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/launcher.h"
#include "base/timer.h"
#include "printing/document_folder.h"
#include "service/endpoints.h"
#include "service/escolhas_login.h"
#include "service/http_transfer.h"

namespace orvanta {

// What the relay needs from the session window it runs on.
class PrintRelayHost {
 public:
  virtual ~PrintRelayHost() = default;
  // The window's HTTP client and document folder; null while not set, and nothing is relayed.
  virtual HttpTransfer* relayHttp() = 0;
  virtual DocumentFolder* relayFolder() = 0;
  // The typed name and the route, read for every request.
  virtual EscolhasLogin relayChoices() = 0;
  // The URL of the document being fetched (the window keeps it in a hidden field).
  virtual void showRelayUrl(std::string_view url) = 0;
};

class PrintRelay {
 public:
  // Takes over the timer's ticks; enabling the timer starts the relay.
  PrintRelay(Timer& printRelayTimer, Shell& shell, PrintRelayHost& host,
             Endpoints endpoints = Endpoints());
  ~PrintRelay();
  PrintRelay(const PrintRelay&) = delete;
  PrintRelay& operator=(const PrintRelay&) = delete;

  // One poll. Never throws and shows nothing: whatever fails, the relay polls again one
  // interval later, and a document is removed from the store only once it is safely on disk.
  void RotinaImpressao();
  // The end step for the document just written: open it if it is a PDF, ask the store to
  // remove it, poll again one interval later. Does nothing unless a document was just written.
  void IdHTTP1WorkEnd();

  // True from just before a document is fetched until its end step runs.
  bool ImpressaoEmAndamento = false;
  // The listing entry being relayed: the first one that is safe as a local name.
  int IndiceImpressao = 0;

  const std::vector<std::string>& listing() const { return listing_; }

 private:
  // Steps of one poll; may throw.
  void poll();
  // Fetches the entry into the first free local name; false (and no file left) on failure.
  bool fetchDocument(HttpTransfer& http, DocumentFolder& folder, const std::string& entry);

  Timer& printRelayTimer_;
  Shell& shell_;
  PrintRelayHost& host_;
  Endpoints endpoints_;
  std::vector<std::string> listing_;
  // The name the document was written under (the entry, or the entry numbered).
  std::string localName_;
};

}  // namespace orvanta
