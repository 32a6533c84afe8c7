# Shared by scripts/test and scripts/demo: installing, building, the Wine prefix and Xvfb.
# Everything started here is recorded and stopped by its process id in orvanta_stop_all.

ORVANTA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ORVANTA_NATIVE_BUILD=$ORVANTA_ROOT/build/native
ORVANTA_WINDOWS_BUILD=$ORVANTA_ROOT/build/windows
ORVANTA_PIDS=()
ORVANTA_PREFIXES=()
ORVANTA_CLONES=()
# No .NET or HTML engine to install, and no menu entries or file associations written for the
# user: without this every Wine start in a fresh prefix runs the menu builder.
ORVANTA_DLL_OVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

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

# Starts a private X server on a free display, with its window manager, and exports DISPLAY.
# Now and then, on a machine under load, Xvfb ends at once or its window manager cannot reach
# it; a new server then works. ORVANTA_PRIVATE_X_SOCKETS=1 (scripts/lib/isolated) says the X
# socket folder is the caller's alone: the lock files in the shared /tmp are then not used, so
# servers starting side by side in other namespaces never race for them.
orvanta_start_xvfb() {
  local fifo log attempt pid display lock=()
  [ "${ORVANTA_PRIVATE_X_SOCKETS:-}" = 1 ] && lock=(-nolock)
  fifo=$(mktemp -u)
  log=$(mktemp)
  mkfifo "$fifo"
  for attempt in 1 2 3; do
    display=
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "${lock[@]}" 3>"$fifo" >"$log" 2>&1 &
    pid=$!
    ORVANTA_PIDS+=("$pid")
    read -r display <"$fifo" || true
    if [ -z "$display" ]; then
      orvanta_log "Xvfb did not start (attempt $attempt): $(tail -n 3 "$log")"
      continue
    fi
    export DISPLAY=":$display"
    orvanta_log "Xvfb on $DISPLAY"
    orvanta_start_window_manager && break
    orvanta_log "a new X server (attempt $attempt; this one $(kill -0 "$pid" 2>/dev/null &&
      echo "still runs" || echo "ended"): $(tail -n 3 "$log"))"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    display=
  done
  rm -f "$fifo" "$log"
  [ -n "$display" ]
}

# Runs Openbox on DISPLAY with the project's own settings (scripts/lib/openbox-rc.xml) and waits
# until it manages the screen. With a window manager a maximised window fills the screen from
# 0,0, windows have frames, and Wine no longer waits about 2 s for every window it takes down.
orvanta_start_window_manager() {
  local attempt pid log _
  log=$(mktemp)
  # Now and then, on a machine under load, Openbox ends at once on a fresh display; another
  # start then works.
  for attempt in 1 2 3; do
    openbox --sm-disable --config-file "$ORVANTA_ROOT/scripts/lib/openbox-rc.xml" \
      >"$log" 2>&1 </dev/null &
    pid=$!
    ORVANTA_PIDS+=("$pid")
    for _ in $(seq 100); do
      # The manager announces itself through _NET_SUPPORTING_WM_CHECK on the root window.
      if timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        orvanta_log "Openbox on $DISPLAY"
        rm -f "$log"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    orvanta_log "the window manager did not start on $DISPLAY (attempt $attempt): $(tail -n 3 "$log")"
  done
  rm -f "$log"
  return 1
}

# Creates (once) a Wine prefix under the build tree and exports WINEPREFIX.
# $1: prefix folder; $2 (optional): "bare" to leave the stand-in control unregistered;
# $3 (optional): a prefix prepared already, linked rather than booted anew (a boot takes
# seconds of processor time).
orvanta_prepare_prefix() {
  local prefix=$1 kind=${2:-} from=${3:-}
  if [ ! -f "$prefix/system.reg" ] && [ -n "$from" ] && [ -f "$from/system.reg" ]; then
    orvanta_log "creating Wine prefix $prefix from $from"
    rm -rf "$prefix"
    orvanta_link_prefix "$from" "$prefix"
  fi
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=$ORVANTA_DLL_OVERRIDES
  ORVANTA_PREFIXES+=("$prefix")
  if [ ! -f "$prefix/system.reg" ]; then
    orvanta_log "creating Wine prefix $prefix"
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  orvanta_prefix_fonts "$prefix"
  local control=$ORVANTA_WINDOWS_BUILD/tools/rdpstub/rdpstub.dll stamp=$prefix/.rdpstub-registered
  # Registered again only when the control was rebuilt.
  if [ "$kind" != bare ] && [ -f "$control" ] && [ ! "$stamp" -nt "$control" ]; then
    if ! wine regsvr32 /s "$control" >/dev/null 2>&1 </dev/null; then
      orvanta_log "registering the stand-in control in $prefix failed"
      return 1
    fi
    touch "$stamp"
  fi
  # Copies are made of the prefix at rest: its wineserver gone, the registry written.
  wineserver -w
}

# Exports WINEPREFIX as a fresh copy of a prepared prefix, removed by orvanta_stop_all. The copy
# shares the prepared prefix's installed files by hard links (0.3 s where a real copy of its
# 700 MB takes 10 s). $1: the prepared prefix.
orvanta_clone_prefix() {
  local prepared copy
  prepared=$(cd "$1" && pwd)
  mkdir -p "$prepared.copies"
  copy=$(mktemp -d "$prepared.copies/XXXXXX")
  ORVANTA_CLONES+=("$copy")
  orvanta_link_prefix "$prepared" "$copy"
  export WINEPREFIX=$copy WINEDEBUG=-all WINEDLLOVERRIDES=$ORVANTA_DLL_OVERRIDES
  ORVANTA_PREFIXES+=("$copy")
  # One wineserver for the whole test, rather than one per short-lived program it runs.
  wineserver -p >/dev/null 2>&1 </dev/null
}

# Makes folder $2 a prefix like the one at rest in $1: the installed files by hard links (Wine
# never writes into them), the registry files and the small files beside them by copies (Wine
# rewrites those in place).
orvanta_link_prefix() {
  local file
  mkdir -p "$2"
  cp -al "$1/drive_c" "$2/"
  cp -a "$1/dosdevices" "$2/"
  for file in "$1"/* "$1"/.update-timestamp; do
    [ -f "$file" ] && cp -a "$file" "$2/"
  done
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
  for prefix in "${ORVANTA_CLONES[@]}"; do
    WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
    rm -rf "$prefix"
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

# A screenshot of the whole X screen as PNG. ImageMagick's own import reads what the screen
# shows; xwd reads translucent windows back black.
orvanta_screenshot() {
  local import=import
  [ -x /usr/bin/import ] && import=/usr/bin/import
  "$import" -window root "$1"
}
