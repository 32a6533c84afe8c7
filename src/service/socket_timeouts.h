// How long a connection may keep the caller waiting before the call fails as timed out.
#pragma once

namespace orvanta {

struct SocketTimeouts {
  // Until the server accepts the connection.
  int connectMs = 15000;
  // Since the last byte arrived (or the last byte could be sent), so a slow but moving transfer
  // never times out.
  int inactivityMs = 30000;
};

}  // namespace orvanta
