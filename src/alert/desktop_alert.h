// The desktop alert: a small window at the bottom-right corner of the desktop that fades in
// with a message, stays, and fades out when closed. It never takes the keyboard focus. This
// is its behaviour without the window, which forwards its pointer events here.
#pragma once

#include <string>
#include <string_view>

#include "alert/alert_fade.h"
#include "base/geometry.h"
#include "base/timer.h"

namespace orvanta {

class AlertStack;

// What the alert needs from its window.
class DesktopAlertWindow {
 public:
  virtual ~DesktopAlertWindow() = default;
  virtual void setBounds(const Rect& bounds) = 0;
  // Shown at once.
  virtual void setMessageText(std::string_view text) = 0;
  // Visible and above every other window, not activated, not moved; the keyboard focus
  // stays where it was.
  virtual void showWithoutActivation() = 0;
  virtual void hide() = 0;
  // False where the platform has no per-window opacity: the alert then shows and hides at
  // full opacity with the same timing.
  virtual bool alphaBlendAvailable() const = 0;
  virtual void setAlphaBlendValue(int alpha) = 0;
  // A size designed at 96 dpi in the window's pixels: unchanged for a window at 96 dpi.
  virtual int scale(int designPx) const { return designPx; }
};

// The desktop as the alert sees it.
class AlertScreen {
 public:
  virtual ~AlertScreen() = default;
  // The primary monitor without the taskbar (the whole screen where that is unknown).
  virtual Rect workArea() const = 0;
  virtual Point cursorPos() const = 0;
};

class DesktopAlert : private FadeTarget {
 public:
  inline static constexpr int kMousePollMs = 200;

  // animationTimer runs the fade; MouseTimer polls the pointer while the alert is shown.
  DesktopAlert(DesktopAlertWindow& window, AlertScreen& screen, AlertStack& stack,
               Timer& animationTimer, Timer& MouseTimer, FadeStyleOptions StyleOptions);
  // Closed at once if it is showing.
  ~DesktopAlert() override;
  DesktopAlert(const DesktopAlert&) = delete;
  DesktopAlert& operator=(const DesktopAlert&) = delete;

  const std::string& messageText() const { return messageText_; }
  void setMessageText(std::string_view text);

  // Shows the alert afresh at the bottom-right corner: one already showing is hidden first.
  bool Execute();
  // Nothing unless showing. Immediate hides at once; otherwise the alert fades out.
  void Close(bool Immediate);
  bool Showing() const { return showing_; }

  // Events of the window.
  void pointerEntered();
  void pointerLeft();
  void closeButtonClicked() { Close(true); }

  const Rect& bounds() const { return bounds_; }
  bool pointerInside() const { return pointerInside_; }
  Rect workArea() const { return screen_.workArea(); }
  // Where the alert stack puts it.
  void moveTo(int left, int top);
  TJvStyleHandlerStatus status() const { return fade_.status(); }

 private:
  void setAlphaBlendValue(int alpha) override;
  void showWithoutActivation() override;
  void fadeOutEnded() override { closeNow(); }

  void closeNow();
  void pollPointer();
  // With a display time, an alert the pointer has left fades out once nothing else runs.
  void fadeOutIfLeft();

  DesktopAlertWindow& window_;
  AlertScreen& screen_;
  AlertStack& stack_;
  Timer& mouseTimer_;
  TJvFadeAlertStyleHandler fade_;
  std::string messageText_;
  Rect bounds_;
  bool showing_ = false;
  bool pointerInside_ = false;
};

}  // namespace orvanta
