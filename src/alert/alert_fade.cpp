#include "alert/alert_fade.h"

#include <algorithm>

namespace orvanta {

TJvFadeAlertStyleHandler::TJvFadeAlertStyleHandler(FadeTarget& target, Timer& timer,
                                                   FadeStyleOptions options)
    : target_(target), timer_(timer), options_(options) {
  options_.StartSteps = std::max(options_.StartSteps, 1);
  options_.EndSteps = std::max(options_.EndSteps, 1);
  timer_.setEnabled(false);
  timer_.onTick = [this] { tick(); };
}

TJvFadeAlertStyleHandler::~TJvFadeAlertStyleHandler() {
  timer_.setEnabled(false);
  timer_.onTick = nullptr;
}

void TJvFadeAlertStyleHandler::startFadeIn() {
  timer_.setEnabled(false);
  step_ = 0;
  target_.setAlphaBlendValue(options_.MinAlphaBlendValue);
  target_.showWithoutActivation();
  status_ = hsStartAnim;
  timer_.setIntervalMs(options_.StartInterval);
  timer_.setEnabled(true);
}

void TJvFadeAlertStyleHandler::startFadeOut() {
  timer_.setEnabled(false);
  step_ = 0;
  target_.setAlphaBlendValue(options_.MaxAlphaBlendValue);
  status_ = hsEndAnim;
  timer_.setIntervalMs(options_.EndInterval);
  timer_.setEnabled(true);
}

void TJvFadeAlertStyleHandler::abort() {
  if (status_ != hsIdle && status_ != hsEndAnim) return;
  timer_.setEnabled(false);
  target_.setAlphaBlendValue(options_.MaxAlphaBlendValue);
}

void TJvFadeAlertStyleHandler::tick() {
  switch (status_) {
    case hsStartAnim:
      fadeInTick();
      break;
    case hsDisplay:
      timer_.setEnabled(false);
      status_ = hsIdle;
      break;
    case hsEndAnim:
      fadeOutTick();
      break;
    case hsIdle:
      break;
  }
}

void TJvFadeAlertStyleHandler::fadeInTick() {
  const int range = options_.MaxAlphaBlendValue - options_.MinAlphaBlendValue;
  target_.setAlphaBlendValue(options_.MinAlphaBlendValue + range * step_ / options_.StartSteps);
  ++step_;
  if (step_ < options_.StartSteps) return;
  timer_.setEnabled(false);
  target_.setAlphaBlendValue(options_.MaxAlphaBlendValue);
  enterDisplay();
}

void TJvFadeAlertStyleHandler::enterDisplay() {
  // Without a display time the status stays at the fade-in's and the alert stays shown.
  if (options_.DisplayDuration == 0) return;
  status_ = hsDisplay;
  timer_.setIntervalMs(options_.DisplayDuration);
  timer_.setEnabled(true);
}

void TJvFadeAlertStyleHandler::fadeOutTick() {
  ++step_;
  if (step_ >= options_.EndSteps) {
    timer_.setEnabled(false);
    target_.setAlphaBlendValue(options_.MinAlphaBlendValue);
    target_.fadeOutEnded();
    return;
  }
  const int range = options_.MaxAlphaBlendValue - options_.MinAlphaBlendValue;
  target_.setAlphaBlendValue(options_.MaxAlphaBlendValue - range * step_ / options_.EndSteps);
}

}  // namespace orvanta
