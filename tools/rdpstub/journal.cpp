#include "journal.h"

#include <windows.h>

#include <sstream>

namespace rdpstub {

namespace {

std::wstring environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

}  // namespace

std::string narrow(const wchar_t* text) {
  if (!text || !*text) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size - 1));
  return out;
}

void journal(const std::string& line) {
  const std::wstring path = environment(L"ORVANTA_RDPSTUB_LOG");
  if (path.empty()) return;
  // Opened per line so that several processes and a crash never lose lines.
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

bool refuses(const std::string& member) {
  std::stringstream list(narrow(environment(L"ORVANTA_RDPSTUB_FAIL").c_str()));
  std::string item;
  while (std::getline(list, item, ',')) {
    if (item == member) return true;
  }
  return false;
}

int connectDelayMs() {
  return _wtoi(environment(L"ORVANTA_RDPSTUB_CONNECT_DELAY_MS").c_str());
}

std::string bridgeAddress() {
  return narrow(environment(L"ORVANTA_RDPSTUB_BRIDGE").c_str());
}

}  // namespace rdpstub
