#include "session_paint.h"

#include <string>

namespace rdpstub {

void paintSession(HWND window, Link* link, const Settings& settings, short state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT area;
  GetClientRect(window, &area);
  if (link && link->paint(dc, area)) {
    EndPaint(window, &ps);
    return;
  }
  HBRUSH background = CreateSolidBrush(RGB(0x1F, 0x3A, 0x5F));
  FillRect(dc, &area, background);
  DeleteObject(background);
  static const wchar_t* const states[] = {L"not connected", L"connected", L"connecting"};
  const std::wstring text = L"Remote desktop stand-in\n\nServer: " + settings.server + L"\nPort: " +
                            std::to_wstring(settings.rdpPort) + L"\nUser: " + settings.userName +
                            L"\n\n" + states[state % 3];
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT box = area;
  box.top += (area.bottom - area.top) / 3;
  DrawTextW(dc, text.c_str(), -1, &box, DT_CENTER | DT_NOPREFIX);
  EndPaint(window, &ps);
}

}  // namespace rdpstub
