#!/usr/bin/env bash
# Starts a program under Wine in the same kind of session the tests use (Xvfb unless
# TRESSEL_DISPLAY is given, one virtual desktop) and leaves it running:
#   tools/wine-session.sh start [<exe> [args...]]   (default exe: build/windows/out/Tressel.exe)
#   tools/wine-session.sh stop
# The session uses its own prefix (TRESSEL_WINEPREFIX, default <repo>/build/wineprefix-session)
# so that test runs never share its desktop. What it started is written to <prefix>.session and
# ended by `stop`, by PID.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=wine-common.sh
source "$repo/tools/wine-common.sh"
export TRESSEL_WINEPREFIX=${TRESSEL_WINEPREFIX:-$repo/build/wineprefix-session}

mode=${1:-}
shift || true
wine_session_init
state=$WINEPREFIX.session

case $mode in
  start)
    [ -f "$state" ] && die "a session is already running ($state); run: $0 stop"
    exe=${1:-$repo/build/windows/out/Tressel.exe}
    (($#)) && shift
    [ -f "$exe" ] || die "no such executable: $exe"
    exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
    # Undo a half-made session when a step fails.
    trap 'rc=$?; ((rc)) && wine_session_stop; exit $rc' EXIT
    ensure_prefix
    ensure_display
    ensure_wineserver
    ensure_desktop
    WINEPATH="$(dos_path "$(dirname "$exe")")" DISPLAY="$display" \
      setsid "$WINE" "$exe" "$@" >"$WINEPREFIX.session.log" 2>&1 {lock_fd}>&- &
    program_pid=$!
    {
      echo "display=$display"
      echo "xvfb_pid=$started_xvfb_pid"
      echo "explorer_pid=$started_explorer_pid"
      echo "program_pid=$program_pid"
    } >"$state"
    echo "Running $(basename "$exe") on DISPLAY=$display (WINEPREFIX=$WINEPREFIX)."
    echo "Screenshot: DISPLAY=$display import -window root shot.png   Stop: $0 stop"
    trap - EXIT
    ;;
  stop)
    [ -f "$state" ] || die "no session running ($state not found)"
    # shellcheck disable=SC1090
    source "$state"
    "$WINESERVER" -k 2>/dev/null
    "$WINESERVER" -w 2>/dev/null
    for pid in $program_pid $explorer_pid $xvfb_pid; do
      kill "$pid" 2>/dev/null
    done
    rm -f "$state"
    echo "Session stopped."
    ;;
  *)
    echo "usage: $0 start [<exe> [args...]] | stop" >&2
    exit 2
    ;;
esac
