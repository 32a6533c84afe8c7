#!/usr/bin/env bash
# Runs a command with the screen of the test's prefix at the given dpi. Run through
# scripts/lib/isolated, whose prefix is the test's own copy, so the setting stays in it.
# $1: dpi; the rest: the command.
set -u
dpi=$1
shift
: "${WINEPREFIX:?WINEPREFIX names the prefix of this test}"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
  >/dev/null 2>&1 </dev/null || exit 1
export ORVANTA_TEST_DPI=$dpi
exec "$@"
