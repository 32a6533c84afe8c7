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

namespace orvanta::rdp::teste {

// Points the stand-in's journal at a fresh file of this process and clears its refusals.
class DiarioStub {
 public:
  DiarioStub() {
    wchar_t pasta[MAX_PATH];
    GetTempPathW(MAX_PATH, pasta);
    caminho_ =
        std::wstring(pasta) + L"rdpstub-test-" + std::to_wstring(GetCurrentProcessId()) + L".log";
    esquece();
    SetEnvironmentVariableW(L"ORVANTA_RDPSTUB_LOG", caminho_.c_str());
    recusa(L"");
  }
  ~DiarioStub() {
    esquece();
    SetEnvironmentVariableW(L"ORVANTA_RDPSTUB_FAIL", nullptr);
  }
  DiarioStub(const DiarioStub&) = delete;
  DiarioStub& operator=(const DiarioStub&) = delete;

  void esquece() { DeleteFileW(caminho_.c_str()); }
  static void recusa(const wchar_t* membros) {
    SetEnvironmentVariableW(L"ORVANTA_RDPSTUB_FAIL", *membros ? membros : nullptr);
  }
  std::vector<std::string> linhas() const {
    std::string texto;
    HANDLE arquivo = CreateFileW(caminho_.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (arquivo != INVALID_HANDLE_VALUE) {
      char bloco[4096];
      DWORD lidos = 0;
      while (ReadFile(arquivo, bloco, sizeof bloco, &lidos, nullptr) && lidos > 0) {
        texto.append(bloco, lidos);
      }
      CloseHandle(arquivo);
    }
    std::vector<std::string> resultado;
    std::istringstream fluxo(texto);
    for (std::string linha; std::getline(fluxo, linha);) resultado.push_back(linha);
    return resultado;
  }

 private:
  std::wstring caminho_;
};

// Runs the message loop until the predicate holds or ten seconds pass.
inline bool bombeia(const std::function<bool()>& pronto) {
  const auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!pronto()) {
    if (std::chrono::steady_clock::now() > fim) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
  return true;
}

class Ouvinte {
 public:
  Ouvinte() {
    WSADATA dados;
    WSAStartup(MAKEWORD(2, 2), &dados);
    escuta_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in endereco = {};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(escuta_, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco);
    listen(escuta_, 1);
    int tamanho = sizeof endereco;
    getsockname(escuta_, reinterpret_cast<sockaddr*>(&endereco), &tamanho);
    porta_ = ntohs(endereco.sin_port);
  }
  ~Ouvinte() {
    fechaPar();
    fecha();
    WSACleanup();
  }
  Ouvinte(const Ouvinte&) = delete;
  Ouvinte& operator=(const Ouvinte&) = delete;

  int porta() const { return porta_; }
  void aceita() { par_ = accept(escuta_, nullptr, nullptr); }
  void fechaPar() {
    if (par_ != INVALID_SOCKET) closesocket(par_);
    par_ = INVALID_SOCKET;
  }
  void fecha() {
    if (escuta_ != INVALID_SOCKET) closesocket(escuta_);
    escuta_ = INVALID_SOCKET;
  }

 private:
  SOCKET escuta_ = INVALID_SOCKET;
  SOCKET par_ = INVALID_SOCKET;
  int porta_ = 0;
};

}  // namespace orvanta::rdp::teste
