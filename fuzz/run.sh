#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a while.
#   fuzz/run.sh [seconds-per-target] [target...]     default: 60 s, every target
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
saida="$raiz/build/fuzz"
segundos="${1:-60}"
shift || true
alvos=("$@")
[ ${#alvos[@]} -gt 0 ] || alvos=(resposta chunked set_cookie data_cookie url)

fontes=()
for f in cliente_http configuracao_http cookies corpo_resposta data_cookie decodificacao_texto \
         decodificador_chunked escritor_requisicao leitor_resposta redirecionamento resposta_http socket_tcp_comum \
         socket_tcp_posix url_http; do
  fontes+=("$raiz/src/service/$f.cpp")
done
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$raiz/src" -I"$raiz/tests")

mkdir -p "$saida"
for alvo in "${alvos[@]}"; do
  binario="$saida/fuzz_$alvo"
  echo "==> building fuzz_$alvo"
  clang++ "${flags[@]}" -o "$binario" "$raiz/fuzz/fuzz_$alvo.cpp" "${fontes[@]}"
  mkdir -p "$saida/corpus_$alvo"
  echo "==> fuzz_$alvo for ${segundos}s"
  "$binario" -max_total_time="$segundos" -rss_limit_mb=2048 -print_final_stats=1 \
    "$saida/corpus_$alvo" "$raiz/fuzz/semente_$alvo" 2>&1 | tail -6
done
