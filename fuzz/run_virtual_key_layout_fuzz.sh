#!/usr/bin/env bash
# Builds the layout reader fuzzer with clang (libFuzzer, ASan, UBSan) and runs it, seeded with
# the shipped layouts. Usage: fuzz/run_virtual_key_layout_fuzz.sh [seconds, default 10]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
mkdir -p "$out/corpus"
python3 "$root/src/resources/layouts/generate_layouts.py" "$out/layouts" "$root"/src/resources/layouts/*.layout
cp "$out"/layouts/*.bin "$out/corpus/"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" "$root/fuzz/virtual_key_layout_fuzz.cpp" "$root/src/layouts/virtual_key_layout.cpp" \
  -o "$out/virtual_key_layout_fuzz"
"$out/virtual_key_layout_fuzz" -max_total_time="${1:-10}" -max_len=8192 -rss_limit_mb=1024 "$out/corpus"
