# Shared by scripts/test and scripts/demo: installing, building, the Wine prefix and Xvfb.
# Everything started here is recorded and stopped by its process id in orvanta_stop_all.

ORVANTA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ORVANTA_NATIVE_BUILD=$ORVANTA_ROOT/build/native
ORVANTA_WINDOWS_BUILD=$ORVANTA_ROOT/build/windows
ORVANTA_PIDS=()
ORVANTA_PREFIXES=()

orvanta_log() { printf '==> %s\n' "$*" >&2; }

# Installs the Debian packages that are missing (one apt-get call for all of them).
orvanta_install_packages() {
  local wanted=(cmake make g++ googletest g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb
                openbox xdotool imagemagick x11-apps x11-utils x11-xkb-utils locales python3
                nginx curl clang libclang-rt-14-dev ccache)
  wanted+=(openssl osslsigncode)  # test certificates and the signed stand-ins (tools/signing)
  wanted+=(cups printer-driver-cups-pdf)  # a private print system for the printer tests
  # A real remote desktop on loopback: the shadow server and its account hashing tool, the
  # client library for the bridge (tools/rdpbridge), Xlib for the server's screen program
  # (tools/rdpserver) and the reference client the benchmark compares against.
  wanted+=(freerdp2-shadow-x11 winpr-utils freerdp2-dev pkg-config libx11-dev freerdp2-x11)
  local missing=()
  local p
  for p in "${wanted[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    orvanta_log "installing ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
  fi
}

orvanta_build() {
  # One compiler cache for every clone: paths below the clone's root are hashed relative to
  # it, and the working folder is left out of the hash of objects with debug information.
  export CCACHE_BASEDIR=$ORVANTA_ROOT CCACHE_NOHASHDIR=1
  local preset
  for preset in "$@"; do
    orvanta_log "building $preset"
    cmake --preset "$preset" -S "$ORVANTA_ROOT" >/dev/null
    cmake --build --preset "$preset" -j "${ORVANTA_JOBS:-$(nproc)}"
  done
}

# Starts a private X server on a free display and exports DISPLAY.
orvanta_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  ORVANTA_PIDS+=($!)
  local display
  read -r display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display"
  orvanta_log "Xvfb on $DISPLAY"
  orvanta_start_window_manager
}

# Runs Openbox on DISPLAY with the project's own settings (scripts/lib/openbox-rc.xml) and waits
# until it manages the screen. With a window manager a maximised window fills the screen from
# 0,0, windows have frames, and Wine no longer waits about 2 s for every window it takes down.
orvanta_start_window_manager() {
  local attempt pid _
  # Now and then, on a machine under load, Openbox ends at once on a fresh display; another
  # start then works.
  for attempt in 1 2 3; do
    openbox --sm-disable --config-file "$ORVANTA_ROOT/scripts/lib/openbox-rc.xml" \
      >/dev/null 2>&1 </dev/null &
    pid=$!
    ORVANTA_PIDS+=("$pid")
    for _ in $(seq 100); do
      # The manager announces itself through _NET_SUPPORTING_WM_CHECK on the root window.
      if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        orvanta_log "Openbox on $DISPLAY"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    orvanta_log "the window manager did not start on $DISPLAY (attempt $attempt)"
  done
  return 1
}

# Creates (once) a Wine prefix under the build tree and exports WINEPREFIX.
# $1: prefix folder; $2 (optional): "bare" to leave the stand-in control unregistered.
orvanta_prepare_prefix() {
  local prefix=$1 kind=${2:-}
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  ORVANTA_PREFIXES+=("$prefix")
  if [ ! -f "$prefix/system.reg" ]; then
    orvanta_log "creating Wine prefix $prefix"
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  orvanta_prefix_fonts "$prefix"
  if [ "$kind" != bare ] && [ -f "$ORVANTA_WINDOWS_BUILD/tools/rdpstub/rdpstub.dll" ]; then
    if ! wine regsvr32 /s "$ORVANTA_WINDOWS_BUILD/tools/rdpstub/rdpstub.dll" >/dev/null 2>&1 </dev/null
    then
      orvanta_log "registering the stand-in control in $prefix failed"
      return 1
    fi
    # Let this prefix's server end (registry written) so that a persistent one can start.
    wineserver -w
  fi
}

# Puts Wine's own fonts (Debian's fonts-wine: Tahoma, MS Sans Serif, Marlett …) in the prefix's
# Windows font folder. Debian's Wine 8 looks for them in "<data dir>\../fonts", a name it cannot
# open, so without this every font is substituted and captions clip; the Windows font folder is
# always read. $1: prefix folder.
orvanta_prefix_fonts() {
  local from=/usr/share/wine/fonts to=$1/drive_c/windows/Fonts file
  if [ ! -f "$from/tahoma.ttf" ]; then
    orvanta_log "Wine's fonts are missing ($from): install fonts-wine"
    return 1
  fi
  mkdir -p "$to"
  for file in "$from"/*; do
    cmp -s "$file" "$to/${file##*/}" || cp "$file" "$to/"
  done
}

# Keeps the prefix's wineserver and services running for the whole run, started here with
# their output discarded so that no test inherits them.
orvanta_keep_wine_running() {
  wineserver -w
  wineserver -p >/dev/null 2>&1 </dev/null
  wine wineboot >/dev/null 2>&1 </dev/null
}

orvanta_stop_all() {
  local pid prefix
  for prefix in "${ORVANTA_PREFIXES[@]}"; do
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  done
  for pid in "${ORVANTA_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${ORVANTA_PIDS[@]}"; do
    wait "$pid" >/dev/null 2>&1 || true
  done
}

# Starts the service stand-ins that tools/ provides: every tools/<name>/start-standin script is
# run in the background with the build folder as its argument, and stopped at the end.
orvanta_start_standins() {
  local script
  for script in "$ORVANTA_ROOT"/tools/*/start-standin; do
    [ -x "$script" ] || continue
    orvanta_log "starting $(basename "$(dirname "$script")")"
    "$script" "$ORVANTA_WINDOWS_BUILD" >/dev/null 2>&1 </dev/null &
    ORVANTA_PIDS+=($!)
  done
}

# Waits until a visible window of the prefix has the caption; $2: timeout in ms.
orvanta_wait_window() {
  LANG=C.UTF-8 "$ORVANTA_ROOT/scripts/lib/wine-run" \
    "$ORVANTA_WINDOWS_BUILD/tools/probe/probe.exe" wait "$1" "${2:-20000}" >/dev/null
}

# A screenshot of the whole X screen as PNG (ImageMagick's own convert, not a wrapper).
orvanta_screenshot() {
  local convert=convert
  [ -x /usr/bin/convert ] && convert=/usr/bin/convert
  xwd -root -silent | "$convert" xwd:- "$1"
}
