// The status line and headers of one answer, and the fields taken from them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "service/leitor_resposta.h"

namespace orvanta {

struct RespostaHttp {
  std::string linhaStatus;
  int codigo = -1;
  std::vector<std::pair<std::string, std::string>> cabecalhos;

  // The first header of that name (any letter case).
  std::optional<std::string_view> valor(std::string_view nome) const;
  std::vector<std::string_view> todos(std::string_view nome) const;
  // -1 when absent or not a number.
  int64_t tamanhoConteudo() const;
  bool chunked() const;
  // False when Connection or Proxy-Connection says "close".
  bool permiteReuso() const;
};

// Most header bytes one answer may carry, so a hostile server cannot exhaust memory.
constexpr size_t kMaxBlocoCabecalhos = 1024 * 1024;

// Header lines up to the empty line, continuation lines joined. A close ends them quietly.
// Throws "Header block too large." past kMaxBlocoCabecalhos.
void lerCabecalhos(LeitorResposta& leitor, RespostaHttp& resposta);

// Status line and headers, 100 answers skipped (each still shown to `aoLer`). Throws closed
// when nothing arrives.
RespostaHttp lerResposta(LeitorResposta& leitor,
                         const std::function<void(const RespostaHttp&)>& aoLer = {});

}  // namespace orvanta
