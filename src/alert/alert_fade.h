// The alert's fade: opacity rising step by step on a timer when it is shown, an optional
// display time, and opacity falling step by step until it closes.
#pragma once

#include "base/timer.h"

namespace orvanta {

enum TJvStyleHandlerStatus { hsIdle, hsStartAnim, hsEndAnim, hsDisplay };

// Times in ms; opacity from 0 (transparent) to 255 (opaque). The defaults are the component's.
struct FadeStyleOptions {
  int StartInterval = 25;
  int StartSteps = 10;  // 0 counts as 1
  int EndInterval = 50;
  int EndSteps = 10;  // 0 counts as 1
  // 0: no display timer; the alert stays fully shown until it is closed.
  int DisplayDuration = 1400;
  int MinAlphaBlendValue = 0;
  int MaxAlphaBlendValue = 255;
};

// What the fade acts on.
class FadeTarget {
 public:
  virtual ~FadeTarget() = default;
  virtual void setAlphaBlendValue(int alpha) = 0;
  virtual void showWithoutActivation() = 0;
  // The last fade-out step: the alert closes.
  virtual void fadeOutEnded() = 0;
};

class TJvFadeAlertStyleHandler {
 public:
  // The timer is the fade's own; its ticks drive every phase.
  TJvFadeAlertStyleHandler(FadeTarget& target, Timer& timer, FadeStyleOptions options);
  ~TJvFadeAlertStyleHandler();
  TJvFadeAlertStyleHandler(const TJvFadeAlertStyleHandler&) = delete;
  TJvFadeAlertStyleHandler& operator=(const TJvFadeAlertStyleHandler&) = delete;

  // From the lowest opacity, showing the target.
  void startFadeIn();
  // From the full opacity, whatever ran before.
  void startFadeOut();
  // Stops a fade-out (or an ended display) and returns to the full opacity; a running fade-in
  // or display goes on.
  void abort();

  TJvStyleHandlerStatus status() const { return status_; }
  bool running() const { return timer_.enabled(); }
  const FadeStyleOptions& options() const { return options_; }

 private:
  void tick();
  void fadeInTick();
  void fadeOutTick();
  void enterDisplay();

  FadeTarget& target_;
  Timer& timer_;
  FadeStyleOptions options_;
  TJvStyleHandlerStatus status_ = hsIdle;
  int step_ = 0;
};

}  // namespace orvanta
