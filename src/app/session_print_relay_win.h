// The print relay as the program runs it: on the session window's timer and hidden Edit1, with
// the session window's HTTP client used on the relay's worker thread only, the login's choices
// the session window reads, and the working folder.
#pragma once

#include <memory>

#include "printing/print_relay.h"
#include "printing/relay_worker_win.h"
#include "service/cancellable_channel.h"
#include "service/file_folder.h"
#include "session/principal_win.h"
#include "ui/launcher_win.h"

namespace orvanta {

class SessionPrintRelay final {
 public:
  // Takes over the session window's ChecaImpressao; must go before that window does. `cancel`
  // is the one the session window's client opens its connections with.
  SessionPrintRelay(Application& app, TFrmPrincipal& session, std::unique_ptr<FileFolder> folder,
                    TransferCancel& cancel, Endpoints endpoints = Endpoints());

  PrintRelay& relay() { return relay_; }
  FileFolder* relayFolder() { return folder_.get(); }

  // The session window's client: its transfers end soon after `cancel` is set.
  static std::unique_ptr<HttpTransfer> client(TransferCancel& cancel);

 private:
  std::unique_ptr<FileFolder> folder_;
  WinShell shell_;
  WinRelayWorker worker_;
  PrintRelay relay_;
};

}  // namespace orvanta
