// Where the on-screen keyboard's keys go: into the platform's keyboard input, or straight to
// the window that holds the keyboard focus.
#pragma once

namespace orvanta {

class KeyInjector {
 public:
  virtual ~KeyInjector() = default;

  // Joins the platform's keyboard input queue, as a physical key would.
  virtual void inject(int virtualKey, int scanCode, bool release) = 0;
  // A key-down or key-up message, delivered before this returns to the focused window.
  virtual void sendToFocus(int virtualKey, bool release) = 0;
};

}  // namespace orvanta
