#!/usr/bin/env bash
# Runs a command in a copy of the test prefix whose screen is at the given dpi.
# $1: dpi; the rest: the command. WINEPREFIX: the prefix to copy (scripts/test's own).
set -u
dpi=$1
shift
base=${WINEPREFIX:?WINEPREFIX names the prefix to copy}
prefix=$base-dpi$dpi
if [ ! -f "$prefix/.orvanta-dpi" ]; then
  rm -rf "$prefix"
  # Linked, not copied: only the registry is ever written, and Wine replaces its files.
  cp -al "$base" "$prefix" || exit 1
  for reg in "$base"/*.reg; do
    rm -f "$prefix/${reg##*/}"
    cp "$reg" "$prefix/"
  done
  WINEPREFIX=$prefix wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null 2>&1 </dev/null || exit 1
  WINEPREFIX=$prefix wineserver -w
  touch "$prefix/.orvanta-dpi"
fi
export WINEPREFIX=$prefix ORVANTA_TEST_DPI=$dpi
"$@"
rc=$?
wineserver -k >/dev/null 2>&1
exit $rc
