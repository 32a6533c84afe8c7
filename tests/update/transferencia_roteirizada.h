// An HTTP download that delivers its body piece by piece over virtual time, and may fail.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "relogio_virtual.h"
#include "service/erro_http.h"
#include "service/transferencia_http.h"

namespace orvanta::teste {

struct Trecho {
  int64_t esperaMs = 0;  // before the piece arrives
  size_t bytes = 0;
  // The wait lets messages through (another box open, say) instead of blocking the thread.
  bool mensagensNaEspera = false;
};

struct Roteiro {
  Roteiro(std::optional<int64_t> tamanho_ = std::nullopt, std::vector<Trecho> trechos_ = {},
          std::optional<ErroHttp> falha_ = std::nullopt, bool paginaDeErro_ = false)
      : tamanho(tamanho_),
        trechos(std::move(trechos_)),
        falha(std::move(falha_)),
        paginaDeErro(paginaDeErro_) {}

  std::optional<int64_t> tamanho;  // announced length; none reports 0, as an until-close body
  std::vector<Trecho> trechos;
  std::optional<ErroHttp> falha;  // raised after the pieces
  // The pieces are an error answer's page: read whole, kept out of the destination.
  bool paginaDeErro = false;
};

class TransferenciaRoteirizada : public TransferenciaHttp {
 public:
  explicit TransferenciaRoteirizada(RelogioVirtual& relogio) : relogio_(relogio) {}

  std::string Get(std::string_view) override { throw std::logic_error("text GET not expected"); }

  void Get(std::string_view aUrl, ByteStream& destino) override {
    urls.emplace_back(aUrl);
    inicioMs = relogio_.agoraMs();
    // No answer at all (connection refused, say): no notification either.
    if (roteiro.falha && roteiro.trechos.empty()) throw *roteiro.falha;
    if (OnWorkBegin) OnWorkBegin(*this, TWorkMode::wmRead, roteiro.tamanho.value_or(0));
    int64_t total = 0;
    for (const Trecho& t : roteiro.trechos) {
      if (t.mensagensNaEspera) {
        relogio_.executarPor(t.esperaMs);
      } else {
        relogio_.bloquear(t.esperaMs);
      }
      total += static_cast<int64_t>(t.bytes);
      if (OnWork) OnWork(*this, TWorkMode::wmRead, total);
      if (!roteiro.paginaDeErro) destino.write(std::string(t.bytes, 'x').data(), t.bytes);
    }
    if (roteiro.falha && !roteiro.paginaDeErro) throw *roteiro.falha;
    if (OnWorkEnd) OnWorkEnd(*this, TWorkMode::wmRead);
    fimMs = relogio_.agoraMs();
    if (roteiro.falha) throw *roteiro.falha;
  }

  Roteiro roteiro;
  std::vector<std::string> urls;
  std::optional<int64_t> inicioMs;
  std::optional<int64_t> fimMs;

 private:
  RelogioVirtual& relogio_;
};

}  // namespace orvanta::teste
