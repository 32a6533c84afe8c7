// Set-Cookie values into a store, then the Cookie header built from it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/cookies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  std::string_view entrada(reinterpret_cast<const char*>(dados), tamanho);
  orvanta::ArmazemCookies armazem([] { return int64_t{1700000000}; });
  while (!entrada.empty()) {
    size_t fim = entrada.find('\n');
    armazem.receber(entrada.substr(0, fim), "www.ex.com", "/a/b/");
    entrada = fim == std::string_view::npos ? std::string_view{} : entrada.substr(fim + 1);
  }
  armazem.cabecalhoPara("www.ex.com", "/a/b/");
  armazem.cabecalhoPara("ex.com", "/");
  return 0;
}
