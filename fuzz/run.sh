#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a while.
#   fuzz/run.sh [seconds-per-target] [target...]     default: 60 s, every target
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/fuzz"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(response chunked set_cookie cookie_date url)

sources=()
for f in cliente_http http_settings cookies response_body cookie_date text_decoding \
         chunked_decoder request_writer response_reader redirect http_response tcp_socket_common \
         tcp_socket_posix http_url; do
  sources+=("$root/src/service/$f.cpp")
done
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/src" -I"$root/tests")

mkdir -p "$out"
for target in "${targets[@]}"; do
  binary="$out/fuzz_$target"
  echo "==> building fuzz_$target"
  clang++ "${flags[@]}" -o "$binary" "$root/fuzz/fuzz_$target.cpp" "${sources[@]}"
  mkdir -p "$out/corpus_$target"
  echo "==> fuzz_$target for ${seconds}s"
  # Crash inputs land beside the binaries, never in the working folder.
  "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/corpus_$target" "$root/fuzz/seed_$target" 2>&1 | tail -6
done
