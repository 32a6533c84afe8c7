// Draws the on-screen keyboard with GDI as its key model describes it: the whole keyboard through
// an off-screen bitmap, or one key straight onto the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "keyboard/keyboard_model.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

class KeyboardPainter {
 public:
  KeyboardPainter();

  // Captions, outlines and pictures follow the keyboard window's dpi; the keys' places follow
  // its size.
  void setDpi(int dpi);

  // The background and every key into the off-screen bitmap, then one copy to `target` at
  // 0, 0; `background` fills it when the keyboard draws no gradient.
  void paintAll(HDC target, const KeyboardModel& keyboard, HBRUSH background, SIZE size);
  // One key onto `dc` in the font face `face`.
  void paintKey(HDC dc, const KeyboardModel& keyboard, const TCustomKeyboardButton& key,
                const std::wstring& face);

 private:
  void drawKey(HDC dc, const KeyboardModel& keyboard, const TCustomKeyboardButton& key,
               const std::wstring& face);
  HFONT font(const std::wstring& face, int points);

  struct Font {
    std::wstring face;
    int points;
    UniqueHfont handle;
  };
  // The face of the platform's user-interface font, which the off-screen canvas starts with.
  std::wstring canvasFace_;
  std::vector<Font> fonts_;  // at dpi_
  int dpi_ = 96;
  UniqueMemoryDc buffer_;
  UniqueHbitmap bitmap_;
  SIZE bitmapSize_{};
};

}  // namespace orvanta
