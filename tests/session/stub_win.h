// Helpers for tests against the stand-in control: its journal, the message loop and a
// loopback listener standing in for the remote desktop server.
#pragma once

#include <windows.h>
#include <winsock2.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "support/pump_win.h"

namespace orvanta::test {

// Points the stand-in's journal at a fresh file of this process and clears its refusals.
class StubJournal {
 public:
  StubJournal() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ =
        std::wstring(folder) + L"rdpstub-test-" + std::to_wstring(GetCurrentProcessId()) + L".log";
    clear();
    SetEnvironmentVariableW(L"ORVANTA_RDPSTUB_LOG", path_.c_str());
    refuse(L"");
  }
  ~StubJournal() {
    clear();
    SetEnvironmentVariableW(L"ORVANTA_RDPSTUB_FAIL", nullptr);
  }
  StubJournal(const StubJournal&) = delete;
  StubJournal& operator=(const StubJournal&) = delete;

  void clear() { DeleteFileW(path_.c_str()); }
  static void refuse(const wchar_t* members) {
    SetEnvironmentVariableW(L"ORVANTA_RDPSTUB_FAIL", *members ? members : nullptr);
  }
  std::vector<std::string> lines() const {
    std::string text;
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char block[4096];
      DWORD bytesRead = 0;
      while (ReadFile(file, block, sizeof block, &bytesRead, nullptr) && bytesRead > 0) {
        text.append(block, bytesRead);
      }
      CloseHandle(file);
    }
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) result.push_back(line);
    return result;
  }

 private:
  std::wstring path_;
};

class Listener {
 public:
  Listener() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() {
    closePeer();
    close();
    WSACleanup();
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  int port() const { return port_; }
  void acceptPeer() { peer_ = accept(listener_, nullptr, nullptr); }
  void closePeer() {
    if (peer_ != INVALID_SOCKET) closesocket(peer_);
    peer_ = INVALID_SOCKET;
  }
  void close() {
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    listener_ = INVALID_SOCKET;
  }

 private:
  SOCKET listener_ = INVALID_SOCKET;
  SOCKET peer_ = INVALID_SOCKET;
  int port_ = 0;
};

}  // namespace orvanta::test
