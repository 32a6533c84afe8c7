#include "app/session_print_relay_win.h"

#include <windows.h>

#include <utility>

#include "service/cliente_http.h"
#include "service/http_settings.h"

namespace orvanta {

SessionPrintRelay::SessionPrintRelay(Application& app, TFrmPrincipal& session,
                                     std::unique_ptr<FileFolder> folder, TransferCancel& cancel,
                                     Endpoints endpoints)
    : folder_(std::move(folder)),
      shell_([&session] { return session.hwnd(); }),
      worker_(app, cancel),
      relay_(PrintRelayParts{
          .timer = session.ChecaImpressao,
          .shell = shell_,
          .worker = worker_,
          .http = *session.IdHTTP1,
          .folder = *folder_,
          .choices =
              [&session] {
                return session.loginChoices ? session.loginChoices() : EscolhasLogin{};
              },
          .nowMs = [] { return static_cast<int64_t>(GetTickCount64()); },
          .showUrl = [&session](std::string_view url) { session.Edit1.setText(url); },
          .endpoints = std::move(endpoints)}) {}

std::unique_ptr<HttpTransfer> SessionPrintRelay::client(TransferCancel& cancel) {
  const HttpSettings settings = HttpSettings::session();
  return std::make_unique<ClienteHttp>(
      settings, systemClock(),
      cancellableOpener(ClienteHttp::tcpSocketOpener(settings.timeouts), cancel,
                        settings.timeouts.inactivityMs));
}

}  // namespace orvanta
