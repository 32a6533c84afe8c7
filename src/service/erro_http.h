// The failure of an HTTP call.
#pragma once

#include <optional>
#include <string>

#include "base/exception.h"

namespace orvanta {

enum class TipoErroHttp {
  protocolo,  // the server answered with a status the call does not accept
  socket,     // an operating-system socket error
  fechada,    // the server closed the connection where an answer was still due
  outro,
};

class ErroHttp : public Excecao {
 public:
  ErroHttp(TipoErroHttp tipo, const std::string& mensagem, std::optional<int> codigo = std::nullopt,
           std::string textoErro = {})
      : Excecao(mensagem, "ErroHttp"),
        tipo_(tipo),
        codigo_(codigo),
        textoErro_(std::move(textoErro)) {}

  TipoErroHttp tipo() const { return tipo_; }
  // Protocol: the status code (-1 when unreadable); socket: the system error number.
  std::optional<int> codigo() const { return codigo_; }
  // Protocol only: the error answer's body decoded as text.
  const std::string& textoErro() const { return textoErro_; }

 private:
  TipoErroHttp tipo_;
  std::optional<int> codigo_;
  std::string textoErro_;
};

}  // namespace orvanta
