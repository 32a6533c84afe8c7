#!/usr/bin/env bash
# The on-screen keyboard's repaint benchmark: the Windows build under Wine on a private Xvfb
# (full repaints at 1920 x 180, repaints per layout change), then the portable key model natively
# (-O2, no sanitizers): building and placing the keys.
#   bench/run_keyboard.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=../scripts/lib/common.sh
source "$root/scripts/lib/common.sh"
orvanta_install_packages
out="$root/build/bench"
mkdir -p "$out"

orvanta_log "building the Windows benchmark"
cmake --preset windows -S "$root" >/dev/null
cmake --build --preset windows --target bench_keyboard_paint -j "${ORVANTA_JOBS:-2}" >/dev/null

orvanta_log "building the native benchmark"
python3 "$root/src/resources/layouts/generate_layouts.py" "$out/layouts" \
  "$root"/src/resources/layouts/*.layout
sources=()
for f in keyboard/keyboard_model keyboard/key_placement keyboard/key_resolution \
         keyboard/key_drawing layouts/keyboard_layouts layouts/virtual_key_layout; do
  sources+=("$root/src/$f.cpp")
done
g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root/src" -I"$root/tests" \
  -o "$out/bench_keyboard_layout" "$root/bench/bench_keyboard_layout.cpp" "${sources[@]}" \
  "$out/layouts/keyboard_layouts_data.cpp"

trap orvanta_stop_all EXIT
orvanta_start_xvfb
orvanta_prepare_prefix "$out/wineprefix" bare
orvanta_keep_wine_running
"$root/scripts/lib/wine-run" "$ORVANTA_WINDOWS_BUILD/bench/bench_keyboard_paint.exe"
"$out/bench_keyboard_layout"
