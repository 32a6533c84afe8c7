#include "app/session_print_relay_win.h"

#include <utility>

namespace orvanta {

SessionPrintRelay::SessionPrintRelay(TFrmPrincipal& session, std::unique_ptr<DocumentFolder> folder)
    : session_(session),
      folder_(std::move(folder)),
      shell_(session.hwnd()),
      relay_(session.ChecaImpressao, shell_, *this) {}

EscolhasLogin SessionPrintRelay::relayChoices() {
  return session_.loginChoices ? session_.loginChoices() : EscolhasLogin{};
}

}  // namespace orvanta
