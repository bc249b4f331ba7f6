#!/usr/bin/env bash
# Runs one Windows executable under Wine inside a virtual desktop on an X display, the way
# every Windows test runs (ctest uses this as the cross-compiling emulator):
#   tools/wine-run.sh <exe> [args...]
# Environment:
#   TRESSEL_WINEPREFIX  Wine prefix (default <repo>/build/wineprefix); created when missing.
#   TRESSEL_DISPLAY     X display to use (e.g. :52). When unset, a private Xvfb is started on a
#                       free display and stopped afterwards.
#   TRESSEL_OUT_DIR     folder with Tressel.exe and the hook DLLs (default: found from the exe's
#                       path, <build>/out beside <build>/wine-bin).
#   TRESSEL_BARE_SCREEN WxH: no virtual desktop, a bare X screen of that size and a prefix of
#                       its own (see wine-common.sh).
#   TRESSEL_WINEDEBUG   Wine's debug channels (default -all), e.g. err+all,fixme-all when a
#                       failure needs Wine's own account.
# The exe runs with DISPLAY exported (so XTest input from inside the test reaches the desktop),
# WINEPATH holding the out folder and WINEDEBUG as above. Its exit code is this script's exit code.
# Only what this script started is stopped: its Xvfb and explorer by PID, and the prefix's
# wineserver when this script started it.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=wine-common.sh
source "$repo/tools/wine-common.sh"

if (($# < 1)); then
  echo "usage: $0 <exe> [args...]" >&2
  exit 2
fi
exe=$1
shift
[ -f "$exe" ] || die "no such executable: $exe"
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")

wine_session_init
trap wine_session_stop EXIT
trap 'exit 130' INT TERM

wine_session_lock
ensure_prefix
ensure_display
ensure_wineserver
[ -n "$BARE_SCREEN" ] || ensure_desktop

out_dir=${TRESSEL_OUT_DIR:-}
if [ -z "$out_dir" ]; then
  # <build>/wine-bin/<exe> or <build>/out/<exe>: the DLLs live in <build>/out.
  out_dir=$(cd "$(dirname "$exe")/.." && pwd)/out
fi
[ -d "$out_dir" ] || die "hook library folder not found: $out_dir (set TRESSEL_OUT_DIR)"

WINEPATH="$(dos_path "$out_dir");$(dos_path "$(dirname "$exe")")" DISPLAY="$display" \
  "$WINE" "$exe" "$@" {lock_fd}>&-
rc=$?
exit $rc
