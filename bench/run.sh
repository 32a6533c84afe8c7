#!/usr/bin/env bash
# Builds the download benchmark (-O2, no sanitizers) natively and for Windows, and runs it once:
# ClienteHttp beside curl natively, then the Windows build under Wine on the same nginx.
#   bench/run.sh [MiB]      default 2048 (2 GiB)
#   ORVANTA_BENCH_NO_WINE=1 bench/run.sh   skips the Wine figure
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=../scripts/lib/common.sh
source "$root/scripts/lib/common.sh"
orvanta_install_packages
out="$root/build/bench"
mkdir -p "$out"

sources=()
for f in cliente_http http_settings cookies response_body cookie_date text_decoding \
         chunked_decoder request_writer response_reader redirect http_response \
         tcp_socket_common http_url; do
  sources+=("$root/src/service/$f.cpp")
done
options=(-std=c++20 -O2 -Wall -Wextra -Werror -I"$root/src" -I"$root/tests")

orvanta_log "building the native benchmark"
g++ "${options[@]}" -o "$out/bench_download" "$root/bench/bench_download.cpp" "${sources[@]}" \
  "$root/src/service/tcp_socket_posix.cpp"

if [ -z "${ORVANTA_BENCH_NO_WINE:-}" ]; then
  orvanta_log "building the Windows benchmark"
  x86_64-w64-mingw32-g++-posix "${options[@]}" -static -o "$out/bench_download.exe" \
    "$root/bench/bench_download.cpp" "${sources[@]}" "$root/src/service/tcp_socket_win.cpp" \
    -lws2_32
  trap orvanta_stop_all EXIT
  orvanta_start_xvfb
  orvanta_prepare_prefix "$out/wineprefix" bare
  orvanta_keep_wine_running
  export ORVANTA_BENCH_WINDOWS="$root/scripts/lib/wine-run $out/bench_download.exe"
fi

"$out/bench_download" "${1:-2048}"
