// Reading one answer's body with its framing, reporting progress as it goes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "service/leitor_resposta.h"
#include "service/resposta_http.h"

namespace orvanta {

// Where body bytes go.
class DestinoCorpo {
 public:
  virtual ~DestinoCorpo() = default;
  virtual void receber(const char* dados, size_t quantidade) = 0;
};

// Keeps the first `limite` bytes and drops the rest, so an error page cannot exhaust memory.
class DestinoMemoria : public DestinoCorpo {
 public:
  explicit DestinoMemoria(size_t limite = SIZE_MAX) : limite_(limite) {}
  void receber(const char* dados, size_t quantidade) override {
    if (bytes_.size() < limite_)
      bytes_.append(dados, std::min(quantidade, limite_ - bytes_.size()));
  }
  const std::string& bytes() const { return bytes_; }

 private:
  size_t limite_;
  std::string bytes_;
};

// The begin/progress/end notifications of one body.
class AcompanhamentoCorpo {
 public:
  virtual ~AcompanhamentoCorpo() = default;
  virtual void inicio(int64_t esperado) = 0;
  // Called with the running total each time bytes are consumed, before they are delivered.
  virtual void progresso(int64_t total) = 0;
  virtual void fim() = 0;
};

enum class EnquadramentoCorpo { nenhum, chunked, tamanho, ateFechar };

// How the body of `resposta` is framed. A 3xx without a length waits up to 5000 ms for data.
EnquadramentoCorpo enquadramento(const RespostaHttp& resposta, LeitorResposta& leitor);

// Reads the body, framed as decided. Trailer lines of a chunked body join the headers.
// Throws closed when the server closes inside a chunked or before a Content-Length body ends;
// the end notification has fired by then.
void lerCorpo(LeitorResposta& leitor, RespostaHttp& resposta, EnquadramentoCorpo modo,
              DestinoCorpo& destino, AcompanhamentoCorpo& acompanhamento);

}  // namespace orvanta
