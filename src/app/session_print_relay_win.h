// The print relay as the program runs it: on the session window's timer, HTTP client and hidden
// Edit1, with the login's choices the session window reads and the working folder.
#pragma once

#include <memory>
#include <string_view>

#include "printing/document_folder.h"
#include "printing/print_relay.h"
#include "session/principal_win.h"
#include "ui/launcher_win.h"

namespace orvanta {

class SessionPrintRelay final : public PrintRelayHost {
 public:
  // Takes over the session window's ChecaImpressao; must go before that window does.
  SessionPrintRelay(TFrmPrincipal& session, std::unique_ptr<DocumentFolder> folder);

  PrintRelay& relay() { return relay_; }

  HttpTransfer* relayHttp() override { return session_.IdHTTP1.get(); }
  DocumentFolder* relayFolder() override { return folder_.get(); }
  EscolhasLogin relayChoices() override;
  void showRelayUrl(std::string_view url) override { session_.Edit1.setText(url); }

 private:
  TFrmPrincipal& session_;
  std::unique_ptr<DocumentFolder> folder_;
  WinShell shell_;
  PrintRelay relay_;
};

}  // namespace orvanta
