#!/usr/bin/env bash
# Builds the download benchmark (-O2, no sanitizers) natively and for Windows, and runs it once:
# ClienteHttp beside curl natively, then the Windows build under Wine on the same nginx.
#   bench/run.sh [MiB]      default 2048 (2 GiB)
#   ORVANTA_BENCH_NO_WINE=1 bench/run.sh   skips the Wine figure
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=../scripts/lib/common.sh
source "$raiz/scripts/lib/common.sh"
orvanta_install_packages
saida="$raiz/build/bench"
mkdir -p "$saida"

comuns=()
for f in cliente_http configuracao_http cookies corpo_resposta data_cookie decodificacao_texto \
         decodificador_chunked escritor_requisicao leitor_resposta redirecionamento resposta_http \
         socket_tcp_comum url_http; do
  comuns+=("$raiz/src/service/$f.cpp")
done
opcoes=(-std=c++20 -O2 -Wall -Wextra -Werror -I"$raiz/src" -I"$raiz/tests")

orvanta_log "building the native benchmark"
g++ "${opcoes[@]}" -o "$saida/bench_download" "$raiz/bench/bench_download.cpp" "${comuns[@]}" \
  "$raiz/src/service/socket_tcp_posix.cpp"

if [ -z "${ORVANTA_BENCH_NO_WINE:-}" ]; then
  orvanta_log "building the Windows benchmark"
  x86_64-w64-mingw32-g++-posix "${opcoes[@]}" -static -o "$saida/bench_download.exe" \
    "$raiz/bench/bench_download.cpp" "${comuns[@]}" "$raiz/src/service/socket_tcp_winsock.cpp" \
    -lws2_32
  trap orvanta_stop_all EXIT
  orvanta_start_xvfb
  orvanta_prepare_prefix "$saida/wineprefix" bare
  orvanta_keep_wine_running
  export ORVANTA_BENCH_WINDOWS="$raiz/scripts/lib/wine-run $saida/bench_download.exe"
fi

"$saida/bench_download" "${1:-2048}"
