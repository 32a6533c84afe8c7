// Connections another thread can end: a transfer running on a worker stops soon after its
// owner cancels it, instead of when the server answers or the time-out runs out.
#pragma once

#include <atomic>

#include "service/cliente_http.h"

namespace orvanta {

class TransferCancel {
 public:
  void cancel() { cancelled_.store(true); }
  void reset() { cancelled_.store(false); }
  bool cancelled() const { return cancelled_.load(); }

 private:
  std::atomic<bool> cancelled_{false};
};

// Opens connections with `inner` that wait for data in short slices, failing as a socket error
// once `cancel` is set, and as timed out after `inactivityMs` without a byte.
ClienteHttp::ChannelOpener cancellableOpener(ClienteHttp::ChannelOpener inner,
                                             const TransferCancel& cancel, int inactivityMs);

}  // namespace orvanta
