// Looks at the windows and the registry of the Wine prefix it runs in, for end-to-end tests:
//   probe list                       one JSON object per top-level window, with its controls
//                                    (and "alpha", 0-255, for a translucent window)
//   probe wait CAPTION TIMEOUT_MS    exit 0 once a visible window has that caption, else 1
//   probe gone CAPTION TIMEOUT_MS    exit 0 once no visible window has that caption, else 1
//   probe press CAPTION BUTTON_TEXT  clicks the button of that window ("&" ignored); a
//                                    toolbar button of ours gets a mouse click at its middle
//   probe close CAPTION              sends WM_CLOSE to the window
//   probe regget KEY VALUE           prints a registry value ("" for the default value)
//   probe regset KEY VALUE DATA      sets a string value
//   probe regdel KEY [VALUE]         deletes a key with its subkeys, or one value
//   probe serve                      answers these commands, one a line, until its input ends
// Each starting a Wine process costs a noticeable share of a second, so tests keep one server.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "serve.h"

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"serve") return probe::serve();
  const probe::Answer answer = probe::runCommand(std::vector<std::wstring>(argv + 1, argv + argc));
  std::fputs(answer.out.c_str(), stdout);
  std::fputs(answer.error.c_str(), stderr);
  return answer.code;
}
