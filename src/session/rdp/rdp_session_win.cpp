#include "session/rdp/rdp_session_win.h"

namespace orvanta::rdp {

namespace {

int32_t firstIntArgument(const DISPPARAMS& p) {
  if (p.cArgs < 1) return 0;
  VARIANT value;
  VariantInit(&value);
  // Arguments arrive in reverse order: the first one is the last in rgvarg.
  if (FAILED(VariantChangeType(&value, &p.rgvarg[p.cArgs - 1], 0, VT_I4))) return 0;
  return value.lVal;
}

}  // namespace

RdpSessionWin::RdpSessionWin(HostWindow window, ComPtr<IUnknown> control,
                             SessionWindow& sessionWindow, StatusAlert& statusAlert,
                             Timer& printRelayTimer, Shell& shell, std::string hostSite,
                             ComFailure onFailure)
    : container_(
          std::move(window), std::move(control),
          [this](DISPID id, const DISPPARAMS& p) {
            session_.handleControlEvent(id, firstIntArgument(p));
          },
          std::move(onFailure)),
      control_(container_),
      session_({control_, registry_, sessionWindow, statusAlert, printRelayTimer, shell,
                std::move(hostSite)}) {}

void RdpSessionWin::place(const RECT& area) {
  if (container_.active()) {
    container_.place(area);
  } else {
    container_.activate(area);
  }
}

}  // namespace orvanta::rdp
