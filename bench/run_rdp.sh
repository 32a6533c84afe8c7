#!/usr/bin/env bash
# The remote desktop benchmark: frames per second of a moving pattern and the delay from a key
# press to the server seeing it, through Orvanta's session window (stand-in control, bridged
# mode) and through xfreerdp, side by side against the same loopback server. Not a test.
# It uses the fixed loopback addresses of the end-to-end tests, so run it in a network
# namespace of its own:
#   unshare -n bash -c 'ip link set lo up && bench/run_rdp.sh'
#   ORVANTA_BENCH_SECONDS=10 ORVANTA_BENCH_PRESSES=20 (the defaults)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=../scripts/lib/common.sh
source "$root/scripts/lib/common.sh"
orvanta_install_packages
orvanta_build windows

trap orvanta_stop_all EXIT
orvanta_start_xvfb
orvanta_prepare_prefix "$ORVANTA_WINDOWS_BUILD/wineprefix"
orvanta_keep_wine_running

work=$root/build/bench/rdp
rm -rf "$work"
mkdir -p "$work"
python3 "$root/tools/vendor/vendor.py" --route 127.0.0.2:52 --route 127.0.0.3:52 \
  --site 127.0.0.4:8052 --accounts "$root/tools/vendor/demo-accounts.txt" --version 2.0 \
  --log "$work/requests.log" --ready "$work/vendor-ready" >/dev/null 2>&1 </dev/null &
ORVANTA_PIDS+=($!)
python3 "$root/tools/rdpserver/rdpserver.py" --listen 127.0.0.6:3389 --user demo2024 \
  --password s3nha --desk "$ORVANTA_WINDOWS_BUILD/tools/rdpserver/host/rdpdesk" \
  --dir "$work/server" --keys "$work/keys" --move --ready "$work/server-ready" </dev/null &
ORVANTA_PIDS+=($!)
"$ORVANTA_WINDOWS_BUILD/tools/rdpbridge/host/rdpbridge" --listen 127.0.0.7:3390 \
  --ready "$work/bridge-ready" 2>"$work/bridge.log" </dev/null &
ORVANTA_PIDS+=($!)
for _ in $(seq 300); do
  [ -f "$work/vendor-ready" ] && [ -f "$work/server-ready" ] && [ -f "$work/bridge-ready" ] && break
  sleep 0.1
done

export ORVANTA_BUILD_DIR=$ORVANTA_WINDOWS_BUILD ORVANTA_SOURCE_DIR=$root
export ORVANTA_BENCH_KEYS=$work/keys
ORVANTA_BENCH_SERVER_DISPLAY=$(cut -d' ' -f2 "$work/server-ready")
export ORVANTA_BENCH_SERVER_DISPLAY
python3 "$root/bench/rdp_bench.py"
