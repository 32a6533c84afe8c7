#include "service/leitor_resposta.h"

#include <algorithm>
#include <cstring>

#include "service/erro_http.h"

namespace orvanta {

bool LeitorResposta::encher() {
  if (inicio_ < fim_) return true;
  if (fechado_) return false;
  inicio_ = 0;
  fim_ = canal_.ler(buffer_.data(), buffer_.size());
  if (fim_ == 0) fechado_ = true;
  return fim_ > 0;
}

std::optional<std::string> LeitorResposta::lerLinha() {
  std::string linha;
  bool algum = false;
  while (encher()) {
    algum = true;
    const char* comeco = buffer_.data() + inicio_;
    size_t disponivel = fim_ - inicio_;
    const void* lf = std::memchr(comeco, '\n', disponivel);
    size_t tomar = lf ? static_cast<size_t>(static_cast<const char*>(lf) - comeco) : disponivel;
    if (linha.size() + tomar > kMaxLinha) {
      throw ErroHttp(TipoErroHttp::outro, "Max line length exceeded.");
    }
    linha.append(comeco, tomar);
    inicio_ += tomar;
    if (lf) {
      ++inicio_;
      if (!linha.empty() && linha.back() == '\r') linha.pop_back();
      return linha;
    }
  }
  if (!algum) return std::nullopt;
  return linha;
}

size_t LeitorResposta::ler(char* destino, size_t maximo) {
  // A whole piece with nothing buffered goes straight from the socket to the caller: large bodies
  // then cost one copy less, and never more than `maximo` is taken from the connection.
  if (inicio_ == fim_ && !fechado_ && maximo >= kTamanhoPedaco) {
    size_t n = canal_.ler(destino, kTamanhoPedaco);
    if (n == 0) fechado_ = true;
    return n;
  }
  if (!encher()) return 0;
  size_t n = std::min({maximo, fim_ - inicio_, kTamanhoPedaco});
  std::memcpy(destino, buffer_.data() + inicio_, n);
  inicio_ += n;
  return n;
}

bool LeitorResposta::aguardarDados(int milissegundos) {
  if (inicio_ < fim_ || fechado_) return true;
  return canal_.aguardarDados(milissegundos);
}

}  // namespace orvanta
