#!/usr/bin/env bash
# Start-up benchmark: the wall time from starting a program under Wine to the map notification of
# its login window on a display of its own (Xvfb, no window manager), and its resident memory
# shortly after, for Orvanta.exe and for a bare floor program (startup_floor.cpp), interleaved;
# medians, ratio and difference. Then where Orvanta's start-up goes, step by step, and the first
# opening of each help window and first showing of the keyboard (bench_startup_phases.cpp).
#   unshare -n bash -c 'ip link set lo up && bench/run_startup.sh [RUNS]'
# (without a network the login window's update check fails at once, as on loopback).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=../scripts/lib/common.sh
source "$root/scripts/lib/common.sh"
runs=${1:-11}
settle_ms=${ORVANTA_STARTUP_SETTLE_MS:-1500}
out="$root/build/bench"
mkdir -p "$out"
orvanta_install_packages

orvanta_log "building"
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
cmake --preset windows -S "$root" >/dev/null
cmake --build --preset windows --target Orvanta startup_floor bench_startup_phases rdpstub \
  -j "${ORVANTA_JOBS:-2}" >/dev/null
gcc -O2 -Wall -Wextra -Werror -o "$out/map_wait" "$root/bench/map_wait.c" -lX11

trap orvanta_stop_all EXIT
# A display of its own without a window manager: the map notification is the program's own.
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
ORVANTA_PIDS+=($!)
read -r display <"$fifo"
rm -f "$fifo"
export DISPLAY=":$display" LANG=C.UTF-8
orvanta_prepare_prefix "$out/startup-prefix"
orvanta_keep_wine_running

orvanta=$ORVANTA_WINDOWS_BUILD/Orvanta.exe
floor=$ORVANTA_WINDOWS_BUILD/bench/startup_floor.exe
caption="Login Orvanta"
# One warm-up each: the first start of a program reads its files from disk.
"$out/map_wait" "$caption" 0 wine "$floor" >/dev/null
"$out/map_wait" "$caption" 0 wine "$orvanta" >/dev/null
: >"$out/startup_floor.txt"
: >"$out/startup_orvanta.txt"
for i in $(seq "$runs"); do
  "$out/map_wait" "$caption" "$settle_ms" wine "$floor" >>"$out/startup_floor.txt"
  "$out/map_wait" "$caption" "$settle_ms" wine "$orvanta" >>"$out/startup_orvanta.txt"
  printf '.' >&2
done
printf '\n' >&2

python3 - "$out/startup_floor.txt" "$out/startup_orvanta.txt" "$runs" "$settle_ms" <<'PY'
import statistics, sys
def load(path):
    rows = [line.split() for line in open(path) if line.strip() and line.split()[0] != "timeout"]
    return ([float(r[0]) for r in rows], [float(r[1]) / 1024 for r in rows],
            [float(r[2]) for r in rows])
floor_ms, floor_mib, floor_cpu = load(sys.argv[1])
orv_ms, orv_mib, orv_cpu = load(sys.argv[2])
runs, settle = sys.argv[3], sys.argv[4]
print(f"start-up to the login window's map notification, medians of {runs} interleaved runs")
print(f"  floor      {statistics.median(floor_ms):7.1f} ms   (min {min(floor_ms):.1f}, max {max(floor_ms):.1f})")
print(f"  Orvanta    {statistics.median(orv_ms):7.1f} ms   (min {min(orv_ms):.1f}, max {max(orv_ms):.1f})")
print(f"  ratio      {statistics.median(orv_ms) / statistics.median(floor_ms):7.2f} x")
print("processor time of the program's threads up to the map notification, medians")
print(f"  floor      {statistics.median(floor_cpu):7.1f} ms")
print(f"  Orvanta    {statistics.median(orv_cpu):7.1f} ms")
print(f"  ratio      {statistics.median(orv_cpu) / statistics.median(floor_cpu):7.2f} x")
print(f"resident memory {int(settle) / 1000:.1f} s after the map notification, medians")
print(f"  floor      {statistics.median(floor_mib):7.1f} MiB")
print(f"  Orvanta    {statistics.median(orv_mib):7.1f} MiB")
print(f"  difference {statistics.median(orv_mib) - statistics.median(floor_mib):+7.1f} MiB")
PY

# The phases, five runs, medians.
phase_runs=5
: >"$out/startup_phases.txt"
for i in $(seq "$phase_runs"); do
  wine "$ORVANTA_WINDOWS_BUILD/bench/bench_startup_phases.exe" 2>/dev/null </dev/null |
    tr -d '\r' >>"$out/startup_phases.txt"
done
python3 - "$out/startup_phases.txt" "$phase_runs" <<'PY'
import collections, statistics, sys
times, cpu, growth, totals, starts = collections.OrderedDict(), {}, {}, [], []
for line in open(sys.argv[1]):
    if line.startswith("phase "):
        name, ms, cpu_ms, mib = line[6:].rstrip("\n").split("\t")
        times.setdefault(name, []).append(float(ms))
        cpu.setdefault(name, []).append(float(cpu_ms))
        growth.setdefault(name, []).append(float(mib))
    elif line.startswith("total working set"):
        totals.append(float(line.split()[3]))
    elif line.startswith("start working set"):
        starts.append(float(line.split()[3]))
print(f"where the time goes (medians of {sys.argv[2]} runs of the same steps in one process)")
print(f"  {'step':<48} {'wall ms':>8} {'cpu ms':>8} {'working set':>12}")
if starts:
    print(f"  {'(at the program start)':<48} {'':>8} {'':>8} {statistics.median(starts):9.2f} MiB")
for name, values in times.items():
    print(f"  {name:<48} {statistics.median(values):8.1f} {statistics.median(cpu[name]):8.1f}"
          f" {statistics.median(growth[name]):+9.2f} MiB")
if totals:
    print(f"  working set once the login window is painted: {statistics.median(totals):.1f} MiB")
PY
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
