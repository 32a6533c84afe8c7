// Records a client's work notifications as "B<max>", "W<count>", "E".
#pragma once

#include <string>
#include <vector>

#include "service/transferencia_http.h"

namespace orvanta::teste {

struct Notificacoes {
  std::vector<std::string> eventos;
  void ligar(TransferenciaHttp& cliente) {
    cliente.OnWorkBegin = [this](TransferenciaHttp&, TWorkMode m, int64_t max) {
      eventos.push_back((m == TWorkMode::wmRead ? "B" : "b") + std::to_string(max));
    };
    cliente.OnWork = [this](TransferenciaHttp&, TWorkMode m, int64_t n) {
      eventos.push_back((m == TWorkMode::wmRead ? "W" : "w") + std::to_string(n));
    };
    cliente.OnWorkEnd = [this](TransferenciaHttp&, TWorkMode m) {
      eventos.push_back(m == TWorkMode::wmRead ? "E" : "e");
    };
  }
};

// A ByteStream over a std::string.
class FluxoMemoria : public ByteStream {
 public:
  int64_t position() const override { return posicao_; }
  void setPosition(int64_t p) override { posicao_ = p; }
  int64_t size() const override { return static_cast<int64_t>(dados.size()); }
  void setSize(int64_t s) override {
    dados.resize(static_cast<size_t>(s));
    if (posicao_ > s) posicao_ = s;
    ++redimensionamentos;
  }
  void write(const char* d, size_t n) override {
    if (posicao_ + static_cast<int64_t>(n) > size())
      dados.resize(static_cast<size_t>(posicao_) + n);
    dados.replace(static_cast<size_t>(posicao_), n, d, n);
    posicao_ += static_cast<int64_t>(n);
  }
  std::string dados;
  int redimensionamentos = 0;

 private:
  int64_t posicao_ = 0;
};

}  // namespace orvanta::teste
