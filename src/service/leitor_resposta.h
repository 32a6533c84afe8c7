// Buffered reading of an answer's lines and bytes from a Canal.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "service/canal.h"

namespace orvanta {

class LeitorResposta {
 public:
  static constexpr size_t kTamanhoPedaco = 32768;
  static constexpr size_t kMaxLinha = 16384;

  explicit LeitorResposta(Canal& canal) : canal_(canal) {}

  // A line up to LF, without the CR before it. Empty optional when the peer closed before any
  // byte of the line; a partial line when it closed in the middle. Throws "Max line length
  // exceeded." past kMaxLinha bytes.
  std::optional<std::string> lerLinha();
  // Up to `maximo` bytes (at most one piece); 0 when the peer closed.
  size_t ler(char* destino, size_t maximo);
  // True when bytes are buffered or arrive (or a close) within the time.
  bool aguardarDados(int milissegundos);
  bool fechado() const { return fechado_; }
  bool temPendentes() const { return inicio_ < fim_; }

 private:
  bool encher();

  Canal& canal_;
  std::array<char, kTamanhoPedaco> buffer_{};
  size_t inicio_ = 0;
  size_t fim_ = 0;
  bool fechado_ = false;
};

}  // namespace orvanta
