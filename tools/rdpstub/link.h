// A connection behind Connect, run on a worker thread that reports back to the UI thread by
// posting to a window: the plain stand-in's bare TCP connection (tcp_link.h) or a session
// through the RDP bridge (bridge_link.h).
#pragma once

#include <windows.h>

namespace rdpstub {

constexpr UINT kLinkConnected = WM_APP + 1;
constexpr UINT kLinkFailed = WM_APP + 2;  // wParam: disconnect reason
constexpr UINT kLinkClosed = WM_APP + 3;
constexpr UINT kLinkFrame = WM_APP + 4;  // part of the remote screen changed

class Link {
 public:
  virtual ~Link() = default;
  // Ends the connection from this side; the worker then reports the end.
  virtual void close() = 0;
  virtual bool closedLocally() const = 0;
  // Input for the remote session (set 1 scan code, bit 8 for an extended key; the
  // protocol's pointer event flags); a link without a session ignores it.
  virtual void key(unsigned /*scanCode*/, bool /*down*/) {}
  virtual void pointer(unsigned /*flags*/, int /*x*/, int /*y*/) {}
  // Paints the remote screen into area of dc; false when there is none to paint.
  virtual bool paint(HDC /*dc*/, const RECT& /*area*/) { return false; }
  // The part of the remote screen changed since the last call.
  virtual RECT takeChanged() { return {}; }
};

}  // namespace rdpstub
