#!/usr/bin/env bash
# Runs a Windows program under Wine as a user with another keyboard would: with the X layout $1
# on the test's display and in a Unix locale $2 (built here from Debian's locale sources), so
# that GetKeyboardLayout names that language and ToUnicode gives that keyboard's characters.
# Run through scripts/lib/isolated, which gives the test its own display and Wine prefix.
#   with_input_layout.sh br pt_BR program.exe [arguments...]
#
# Found on Debian 12 with Wine 8 and Xvfb:
# - Xvfb resets to its default keymap when its last client leaves, so a setxkbmap made with no
#   other client connected is lost; the test's window manager stays connected.
# - Wine matches the X keymap against the layouts it knows by the characters of the keys. In a
#   UTF-8 locale it cannot convert the keys that carry non-ASCII characters (ç, º, ´), matches
#   them to nothing and gives them made-up scan codes (ç on 96 instead of 39). A Latin-1
#   locale converts them, and the keys keep their real scan codes.
set -euo pipefail
layout=$1 locale=$2
shift 2
source "$(dirname "$0")/../../scripts/lib/common.sh"

# Built once; two tests that build it at the same time each build their own and one keeps it.
locales="$ORVANTA_WINDOWS_BUILD/locales"
if [ ! -d "$locales/$locale" ]; then
  mkdir -p "$locales"
  building=$(mktemp -d "$locales/$locale.XXXXXX")
  localedef -i "$locale" -f ISO-8859-1 "$building/$locale"
  mv -T "$building/$locale" "$locales/$locale" 2>/dev/null || true
  rm -rf "$building"
fi

setxkbmap -display "$DISPLAY" "$layout"
LOCPATH=$locales LANG=$locale LC_ALL=$locale "$ORVANTA_ROOT/scripts/lib/wine-run" "$@"
