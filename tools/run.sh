#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, in a Wine virtual desktop.
# With a $DISPLAY the desktop opens there; without one a private Xvfb is started, a screenshot of
# the running program is written to build/tressel-screenshot.png, and the program keeps running
# until you press Ctrl+C (or choose "Exit Application" from its tray menu).
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
tools/install-deps.sh || exit 1
cmake --preset windows >/dev/null || exit 1
cmake --build --preset windows --target Tressel scripts WaitForWindow || exit 1

# shellcheck source=wine-common.sh
source "$repo/tools/wine-common.sh"
wine_session_init
trap wine_session_stop EXIT
trap 'exit 130' INT TERM
[ -n "${DISPLAY:-}" ] && [ -z "${TRESSEL_DISPLAY:-}" ] && export TRESSEL_DISPLAY=$DISPLAY
wine_session_lock
ensure_prefix
ensure_display
ensure_wineserver
ensure_desktop

out="$repo/build/windows/out"
DISPLAY="$display" "$WINE" "$out/Tressel.exe" {lock_fd}>&- &
app=$!
if DISPLAY="$display" "$WINE" "$repo/build/windows/wine-bin/WaitForWindow.exe" Tressel-corvane 60 {lock_fd}>&-; then
  shot="$repo/build/tressel-screenshot.png"
  if import -display "$display" -window root "$shot" 2>/dev/null; then
    echo "Tressel is running on display $display; screenshot: $shot"
  else
    echo "Tressel is running on display $display"
  fi
else
  echo "Tressel's window did not appear within 60 s" >&2
fi
echo "Press Ctrl+C to stop."
wait "$app"
