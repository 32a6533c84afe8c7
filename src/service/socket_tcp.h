// A blocking IPv4 TCP connection: POSIX sockets natively, Winsock on Windows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "service/canal.h"

namespace orvanta {

class SocketTcp : public Canal {
 public:
  // Resolves `host` to IPv4 ("LOCALHOST" in any case is 127.0.0.1) and connects.
  // Throws ErroHttp (socket) with the system error number and text.
  SocketTcp(const std::string& host, int porta);
  ~SocketTcp() override;
  SocketTcp(const SocketTcp&) = delete;
  SocketTcp& operator=(const SocketTcp&) = delete;

  size_t ler(char* destino, size_t capacidade) override;
  void escrever(std::string_view dados) override;
  bool aguardarDados(int milissegundos) override;
  bool ocioso() override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// "Socket Error # %d\r\n%s" with the text this program gives for the system error number.
std::string mensagemErroSocket(int codigo);
[[noreturn]] void lancarErroSocket(int codigo);

// Host-not-found carries the Winsock number on every platform, since resolution has no errno.
constexpr int kErroHostNaoEncontrado = 11001;

}  // namespace orvanta
