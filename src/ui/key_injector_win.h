// KeyInjector on SendInput and on messages to the focused window of the calling thread.
#pragma once

#include "base/key_injector.h"

namespace orvanta {

class WinKeyInjector final : public KeyInjector {
 public:
  void inject(int virtualKey, int scanCode, bool release) override;
  void sendToFocus(int virtualKey, bool release) override;
};

}  // namespace orvanta
