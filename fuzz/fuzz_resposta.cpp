// Whole answers through ClienteHttp, with the socket handing them out in fuzzer-chosen pieces.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/canal_memoria.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"

namespace {

class FluxoNulo : public orvanta::ByteStream {
 public:
  int64_t position() const override { return posicao_; }
  void setPosition(int64_t p) override { posicao_ = p; }
  int64_t size() const override { return tamanho_; }
  void setSize(int64_t s) override { tamanho_ = s; }
  void write(const char*, size_t n) override { posicao_ += static_cast<int64_t>(n); }

 private:
  int64_t posicao_ = 0, tamanho_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  if (tamanho < 2) return 0;
  size_t pedaco = dados[0] % 64 + 1;
  bool texto = dados[1] & 1;
  bool sessao = dados[1] & 2;
  std::string entrada(reinterpret_cast<const char*>(dados + 2), tamanho - 2);
  int aberturas = 0;
  orvanta::ClienteHttp cliente(
      sessao ? orvanta::ConfiguracaoHttp::sessao() : orvanta::ConfiguracaoHttp::instalador(),
      [] { return int64_t{1700000000}; },
      [&](const std::string&, int) -> std::unique_ptr<orvanta::Canal> {
        return std::make_unique<orvanta::CanalMemoria>(aberturas++ == 0 ? entrada : "", pedaco);
      });
  try {
    if (texto) {
      cliente.Get("http://h/a/b?c");
    } else {
      FluxoNulo fluxo;
      cliente.Get("http://h/a/b?c", fluxo);
    }
  } catch (const orvanta::ErroHttp&) {
  }
  return 0;
}
