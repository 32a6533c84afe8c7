// The desktop alert's window: borderless, topmost, without a taskbar button or an owner, never
// activated. It paints the alert and reports the pointer; DesktopAlert decides the rest.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "alert/alert_button.h"
#include "alert/desktop_alert.h"
#include "alert/desktop_alert_look.h"
#include "ui/window_win.h"

namespace orvanta {

class TJvFormDesktopAlert final : public Window, public DesktopAlertWindow {
 public:
  explicit TJvFormDesktopAlert(Application& app);
  ~TJvFormDesktopAlert() override;

  // The picture at the left; the message is laid out beside it.
  void setIcon(UniqueHicon icon);
  const DesktopAlertLayout& layout() const { return layout_; }

  std::function<void()> onPointerEnter;
  std::function<void()> onPointerLeave;
  std::function<void()> onCloseButtonClick;

  void setBounds(const Rect& bounds) override;
  void setMessageText(std::string_view text) override;
  void showWithoutActivation() override;
  void hide() override { Window::hide(); }
  bool alphaBlendAvailable() const override { return alphaBlendAvailable_; }
  int scale(int designPx) const override { return Window::scale(designPx); }
  void setAlphaBlendValue(int alpha) override;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void onPaint(HDC dc, const RECT& dirty) override;
  void onMouseMove(int x, int y) override;
  void onMouseDown(int x, int y) override;
  void onMouseUp(int x, int y) override;

 private:
  // Everything but the picture, in design coordinates.
  void paint(HDC dc) const;
  void paintCloseButton(HDC dc) const;
  void pointerLeft();
  // Repaints the close button when its look changed.
  void closeButtonChanged(ButtonLook before);
  // A point of the client area in the layout's coordinates (96 dpi).
  POINT toDesign(int x, int y) const;
  void repaint(const AlertBox& box);

  DesktopAlertColors colors_;
  DesktopAlertLayout layout_;
  std::wstring text_;
  UniqueHicon icon_;
  UniqueHfont textFont_;
  UniqueHfont glyphFont_;
  AlertButton closeButton_;
  bool trackingPointer_ = false;
  bool alphaBlendAvailable_ = true;
};

}  // namespace orvanta
