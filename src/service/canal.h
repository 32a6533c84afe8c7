// A two-way byte stream the HTTP protocol code talks through: a socket, a memory buffer or a
// fuzzer.
#pragma once

#include <cstddef>
#include <string_view>

namespace orvanta {

class Canal {
 public:
  virtual ~Canal() = default;
  // Reads up to `capacidade` bytes, blocking until at least one arrives; 0 means the peer closed.
  // Throws ErroHttp (socket) on a system error.
  virtual size_t ler(char* destino, size_t capacidade) = 0;
  // Sends all of `dados` in one go. Throws ErroHttp (socket).
  virtual void escrever(std::string_view dados) = 0;
  // Waits up to `milissegundos` for something to read (data or a close); false on time-out.
  virtual bool aguardarDados(int milissegundos) = 0;
  // False once the peer has closed, reset or sent something unasked while idle.
  virtual bool ocioso() = 0;
};

}  // namespace orvanta
