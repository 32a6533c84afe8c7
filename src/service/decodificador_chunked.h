// The chunked transfer coding.
#pragma once

#include <cstdint>
#include <functional>

#include "service/corpo_resposta.h"

namespace orvanta {

// Decodes chunks until the last one and its trailers. `contar` receives the number of bytes
// consumed each time (chunk-size lines with their line ends included, data pieces).
void decodificarChunked(LeitorResposta& leitor, RespostaHttp& resposta, DestinoCorpo& destino,
                        const std::function<void(int64_t)>& contar);

}  // namespace orvanta
