// The alert's close button as the pointer sees it: lit while the pointer is over it, pressed
// while the mouse button is held down on it, clicked when the mouse button is released on it
// after being pressed there.
#pragma once

namespace orvanta {

enum class ButtonLook { normal, hot, pressed };

class AlertButton {
 public:
  void pointerMoved(bool over) { over_ = over; }
  void pointerLeft() { over_ = false; }
  // True when the press is on the button, which then wants the pointer captured.
  bool pressed(bool over) {
    over_ = over;
    held_ = over;
    return held_;
  }
  // True for a click.
  bool released(bool over) {
    over_ = over;
    const bool click = held_ && over;
    held_ = false;
    return click;
  }
  // The capture went elsewhere: no click can follow.
  void captureLost() { held_ = false; }

  ButtonLook look() const {
    if (!over_) return ButtonLook::normal;
    return held_ ? ButtonLook::pressed : ButtonLook::hot;
  }

 private:
  bool over_ = false;
  bool held_ = false;
};

}  // namespace orvanta
