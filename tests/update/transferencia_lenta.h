// A download in real time for the Windows tests: the body arrives in pieces with blocking
// pauses in between, like a slow connection, and may end in a failure.
#pragma once

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "service/erro_http.h"
#include "service/transferencia_http.h"

namespace orvanta::teste {

class TransferenciaLenta : public TransferenciaHttp {
 public:
  TransferenciaLenta(std::string corpo, size_t pedaco, DWORD pausaMs)
      : corpo_(std::move(corpo)), pedaco_(pedaco), pausaMs_(pausaMs) {}

  std::optional<ErroHttp> falha;  // after the body, which is then an error page

  std::string Get(std::string_view) override { throw std::logic_error("text GET not expected"); }

  void Get(std::string_view aUrl, ByteStream& destino) override {
    url = aUrl;
    if (OnWorkBegin) OnWorkBegin(*this, TWorkMode::wmRead, static_cast<int64_t>(corpo_.size()));
    for (size_t feito = 0; feito < corpo_.size();) {
      Sleep(pausaMs_);
      const size_t n = std::min(pedaco_, corpo_.size() - feito);
      if (OnWork) OnWork(*this, TWorkMode::wmRead, static_cast<int64_t>(feito + n));
      if (!falha) destino.write(corpo_.data() + feito, n);
      feito += n;
    }
    if (OnWorkEnd) OnWorkEnd(*this, TWorkMode::wmRead);
    if (falha) throw *falha;
  }

  std::string url;

 private:
  std::string corpo_;
  size_t pedaco_;
  DWORD pausaMs_;
};

}  // namespace orvanta::teste
