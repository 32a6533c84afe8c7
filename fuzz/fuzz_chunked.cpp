// The chunked decoder on its own, read one fuzzer-chosen piece size at a time.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/canal_memoria.h"
#include "service/decodificador_chunked.h"
#include "service/erro_http.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  if (tamanho < 1) return 0;
  orvanta::CanalMemoria canal(std::string(reinterpret_cast<const char*>(dados + 1), tamanho - 1),
                              dados[0] % 16 + 1);
  orvanta::LeitorResposta leitor(canal);
  orvanta::RespostaHttp resposta;
  orvanta::DestinoMemoria destino(1 << 20);
  int64_t total = 0;
  try {
    orvanta::decodificarChunked(leitor, resposta, destino, [&](int64_t n) { total += n; });
  } catch (const orvanta::ErroHttp&) {
  }
  return 0;
}
