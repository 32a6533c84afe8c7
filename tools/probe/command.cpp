#include "command.h"

#include <cwchar>

#include "registry_commands.h"
#include "window_commands.h"

namespace probe {

namespace {

constexpr char kUsage[] =
    "usage: probe list | wait CAPTION MS | gone CAPTION MS | press CAPTION BUTTON | close "
    "CAPTION | regget KEY VALUE | regset KEY VALUE DATA | regdel KEY [VALUE] | serve";

}  // namespace

Answer runCommand(const std::vector<std::wstring>& words) {
  const size_t n = words.size();
  const std::wstring command = n > 0 ? words[0] : L"";
  if (command == L"list" && n == 1) return listWindows();
  if ((command == L"wait" || command == L"gone") && n == 3)
    return waitFor(words[1], static_cast<DWORD>(std::wcstoul(words[2].c_str(), nullptr, 10)),
                   command == L"wait");
  if (command == L"press" && n == 3) return press(words[1], words[2]);
  if (command == L"close" && n == 2) return close(words[1]);
  if (command == L"regget" && n == 3) return registryGet(words[1], words[2]);
  if (command == L"regset" && n == 4) return registrySet(words[1], words[2], words[3]);
  if (command == L"regdel" && n == 2) return registryDeleteKey(words[1]);
  if (command == L"regdel" && n == 3) return registryDeleteValue(words[1], words[2]);
  return failed(2, kUsage);
}

}  // namespace probe
