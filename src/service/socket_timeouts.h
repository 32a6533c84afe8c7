// How long a connection may keep the caller waiting before the call fails as timed out.
#pragma once

namespace orvanta {

struct SocketTimeouts {
  // Until the server accepts the connection.
  int connectMs = 15000;
  // Since the last byte arrived (or the last byte could be sent), so a slow but moving body never
  // times out. A status line and headers that trickle must still come within this time in all.
  int inactivityMs = 30000;
  // The whole call, body included; 0 for none.
  int callMs = 0;
};

}  // namespace orvanta
