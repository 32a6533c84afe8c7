// A toolbar button that never takes the keyboard focus: a click runs its action and the focus
// stays where the user left it (in the remote desktop, say). Flat until the mouse is over it,
// raised while hovered, sunk while pressed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/window_win.h"

namespace orvanta {

class SpeedButton : public Window {
 public:
  explicit SpeedButton(Application& app) : Window(app) {}
  // Takes the parent's font.
  void create(Window& parent, const Bounds& b, std::string_view text);

  std::string text() const { return caption(); }
  Bounds bounds() const;  // relative to the parent's client area
  bool enabled() const;
  void setEnabled(bool enabled);

  std::function<void()> onClick;
  // Same as a click by the user.
  void click();

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onPaint(HDC dc, const RECT& dirty) override;
  void onMouseDown(int x, int y) override;
  void onMouseUp(int x, int y) override;
  void onMouseMove(int x, int y) override;

 private:
  bool inside(int x, int y) const;
  void trackLeave();
  // Raised when the pointer is over the button now, flat otherwise.
  void followPointer();
  void setLook(bool hot, bool pressed);

  Window* parent_ = nullptr;  // whose font the caption takes
  bool hot_ = false;          // the mouse is over the button
  bool pressed_ = false;      // the left button went down on it and is still held
};

}  // namespace orvanta
