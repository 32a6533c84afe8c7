#!/usr/bin/env bash
# Builds the download benchmark (g++ -O2, no sanitizers) and runs it once.
#   bench/run.sh [MiB]      default 2048 (2 GiB); needs nginx and curl
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
saida="$raiz/build/bench"
mkdir -p "$saida"
fontes=()
for f in cliente_http configuracao_http cookies corpo_resposta data_cookie decodificacao_texto \
         decodificador_chunked escritor_requisicao leitor_resposta redirecionamento resposta_http socket_tcp_comum \
         socket_tcp_posix url_http; do
  fontes+=("$raiz/src/service/$f.cpp")
done
g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$raiz/src" -I"$raiz/tests" \
  -o "$saida/bench_download" "$raiz/bench/bench_download.cpp" "${fontes[@]}"
"$saida/bench_download" "${1:-2048}"
