#include "alert/desktop_alert.h"

#include "alert/alert_stack.h"
#include "alert/desktop_alert_look.h"

namespace orvanta {

DesktopAlert::DesktopAlert(DesktopAlertWindow& window, AlertScreen& screen, AlertStack& stack,
                           Timer& animationTimer, Timer& MouseTimer, FadeStyleOptions StyleOptions)
    : window_(window),
      screen_(screen),
      stack_(stack),
      mouseTimer_(MouseTimer),
      fade_(*this, animationTimer, StyleOptions) {
  mouseTimer_.setEnabled(false);
  mouseTimer_.setIntervalMs(kMousePollMs);
  mouseTimer_.onTick = [this] { pollPointer(); };
}

DesktopAlert::~DesktopAlert() {
  Close(true);
  mouseTimer_.onTick = nullptr;
}

void DesktopAlert::setMessageText(std::string_view text) {
  messageText_ = text;
  window_.setMessageText(messageText_);
}

bool DesktopAlert::Execute() {
  if (showing_) closeNow();
  const Rect area = screen_.workArea();
  bounds_ = {area.right - window_.scale(kDesktopAlertWidth),
             area.bottom - window_.scale(kDesktopAlertHeight), area.right, area.bottom};
  window_.setBounds(bounds_);
  showing_ = true;
  fade_.abort();
  fade_.startFadeIn();
  mouseTimer_.setEnabled(true);
  stack_.add(*this);
  return true;
}

void DesktopAlert::Close(bool Immediate) {
  if (!showing_) return;
  if (Immediate) {
    closeNow();
  } else {
    fade_.startFadeOut();
  }
}

void DesktopAlert::closeNow() {
  window_.hide();
  showing_ = false;
  pointerInside_ = false;
  mouseTimer_.setEnabled(false);
  stack_.remove(*this);
}

void DesktopAlert::moveTo(int left, int top) {
  bounds_ = {left, top, left + bounds_.width(), top + bounds_.height()};
  window_.setBounds(bounds_);
}

void DesktopAlert::pointerEntered() {
  pointerInside_ = true;
  fade_.abort();
}

void DesktopAlert::pointerLeft() {
  pointerInside_ = false;
  fadeOutIfLeft();
}

void DesktopAlert::pollPointer() {
  pointerInside_ = bounds_.contains(screen_.cursorPos());
  fadeOutIfLeft();
}

void DesktopAlert::fadeOutIfLeft() {
  if (showing_ && !pointerInside_ && !fade_.running() && fade_.options().DisplayDuration != 0)
    Close(false);
}

void DesktopAlert::setAlphaBlendValue(int alpha) {
  if (window_.alphaBlendAvailable()) window_.setAlphaBlendValue(alpha);
}

void DesktopAlert::showWithoutActivation() {
  window_.showWithoutActivation();
}

}  // namespace orvanta
