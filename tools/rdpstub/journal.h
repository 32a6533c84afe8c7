// What the stand-in records and what tests ask it to refuse, both named by environment
// variables that only the stand-in reads:
//   ORVANTA_RDPSTUB_LOG   file that receives one line per write, call, event and keystroke
//   ORVANTA_RDPSTUB_FAIL  comma-separated member names to fail (e.g. "RedirectPrinters,Connect"),
//                         plus "create" (refuse creation), "activate" (refuse in-place
//                         activation) and "hwnd" (give no window handle)
//   ORVANTA_RDPSTUB_CONNECT_DELAY_MS  how long a connection that succeeded waits before it is
//                         reported (a slow server); 0 when unset
//   ORVANTA_RDPSTUB_BRIDGE  "HOST:PORT" of an RDP bridge (tools/rdpbridge): when set, Connect
//                         starts a real remote desktop session through it, its screen is
//                         painted and the input sent to it; unset, Connect only opens a TCP
//                         connection to the server and paints a placeholder
#pragma once

#include <string>

namespace rdpstub {

void journal(const std::string& line);
bool refuses(const std::string& member);
int connectDelayMs();
std::string bridgeAddress();
std::string narrow(const wchar_t* text);

}  // namespace rdpstub
