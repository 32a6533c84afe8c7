#!/usr/bin/env bash
# Runs a Windows program under Wine as a user with another keyboard would: on a private X
# display whose keyboard has the X layout $1, in a Unix locale $2 (built here from Debian's
# locale sources), in a Wine prefix of its own, so that GetKeyboardLayout names that language
# and ToUnicode gives that keyboard's characters. Everything started is stopped at the end.
#   with_input_layout.sh br pt_BR program.exe [arguments...]
#
# Found on Debian 12 with Wine 8 and Xvfb:
# - Xvfb resets to its default keymap when its last client leaves, so a setxkbmap made with no
#   other client connected is lost; the window manager started here stays connected.
# - Wine matches the X keymap against the layouts it knows by the characters of the keys. In a
#   UTF-8 locale it cannot convert the keys that carry non-ASCII characters (ç, º, ´), matches
#   them to nothing and gives them made-up scan codes (ç on 96 instead of 39). A Latin-1
#   locale converts them, and the keys keep their real scan codes.
set -euo pipefail
layout=$1 locale=$2
shift 2
source "$(dirname "$0")/../../scripts/lib/common.sh"

locales="$ORVANTA_WINDOWS_BUILD/locales"
if [ ! -d "$locales/$locale" ]; then
  mkdir -p "$locales"
  localedef -i "$locale" -f ISO-8859-1 "$locales/$locale"
fi

trap orvanta_stop_all EXIT
orvanta_start_xvfb
setxkbmap -display "$DISPLAY" "$layout"
orvanta_prepare_prefix "$ORVANTA_WINDOWS_BUILD/wineprefix-$layout" bare
LOCPATH=$locales LANG=$locale LC_ALL=$locale "$ORVANTA_ROOT/scripts/lib/wine-run" "$@"
