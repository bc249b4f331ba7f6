# Shared parts of tools/wine-run.sh and tools/wine-session.sh: the Wine prefix, the X display,
# the wineserver and the virtual desktop. Sourced, not run. Every start is checked and every wait
# polls with a deadline; a step that cannot be completed ends the script with a reason.

WINE=${TRESSEL_WINE:-/usr/lib/wine/wine64}
WINESERVER=${TRESSEL_WINESERVER:-wineserver}
DESKTOP_SIZE=1024x768
# TRESSEL_BARE_SCREEN=WxH: no virtual desktop; the windows sit on a bare X screen of that size,
# which Wine shows as one monitor of that size (absolute pointer moves then map over it as over a
# real monitor; inside the virtual desktop they do not). XTest input reaches Wine only over its
# windows there. The desktop setting belongs to the prefix, so such runs have a prefix of their own.
BARE_SCREEN=${TRESSEL_BARE_SCREEN:-}
[ -n "$BARE_SCREEN" ] && DESKTOP_SIZE=$BARE_SCREEN
export WINEDEBUG=${TRESSEL_WINEDEBUG:--all}

die() {
  echo "wine-run: $*" >&2
  exit 1
}

log() { [ -n "${TRESSEL_WINE_VERBOSE:-}" ] && echo "wine-run: $*" >&2; return 0; }

# Polls `$@` every 50 ms until it succeeds or `timeout` seconds pass.
wait_for() {
  local timeout=$1
  shift
  local deadline=$((SECONDS + timeout))
  until "$@"; do
    ((SECONDS >= deadline)) && return 1
    sleep 0.05
  done
}

# /a/b -> Z:\a\b (Wine maps Z: to the Unix root).
dos_path() { printf 'Z:%s' "${1//\//\\}"; }

wine_session_init() {
  export WINEPREFIX=${TRESSEL_WINEPREFIX:-$repo/build/wineprefix${BARE_SCREEN:+-bare}}
  started_xvfb_pid=""
  started_explorer_pid=""
  started_wineserver=""
  # Until a run takes the prefix lock, the descriptor its children get closed is /dev/null.
  exec {lock_fd}>/dev/null
  display=""
}

# Runs that share a prefix share its wineserver and desktop: one at a time. Every process a run
# starts gets the lock's descriptor closed ({lock_fd}>&-): one that outlived the run would
# otherwise hold the lock and stall every later run of the prefix.
wine_session_lock() {
  mkdir -p "$(dirname "$WINEPREFIX")" || die "cannot create $(dirname "$WINEPREFIX")"
  exec {lock_fd}>"$WINEPREFIX.lock" || die "cannot open lock $WINEPREFIX.lock"
  flock -w 900 "$lock_fd" || die "timed out waiting for $WINEPREFIX.lock"
}

# The prefix's settings; a prefix made by an older version of this file gets the new ones.
# 2: "Microsoft Sans Serif" resolves to DejaVu Sans Condensed, which gives the dialog font the
#    base units Windows gives it (6 x 13 at 96 dpi; Wine's own choice gives 6 x 12).
# 3: a crashing program ends as on a Windows machine where nobody reads the error report: Wine's
#    debugger prints its report and ends the process, with no dialog waiting for a click.
PREFIX_VERSION=3
WINDOWS_DIALOG_FONT="DejaVu Sans Condensed"

prefix_marker() { echo "$WINEPREFIX/.tressel-prefix-ready"; }

apply_virtual_desktop_setting() {
  [ -n "$BARE_SCREEN" ] && return 0
  DISPLAY="" "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 {lock_fd}>&- &&
    DISPLAY="" "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$DESKTOP_SIZE" /f >/dev/null 2>&1 {lock_fd}>&-
}

apply_prefix_settings() {
  # One virtual desktop for every process of the prefix, so XTest input on the X screen
  # reaches Wine (not for a bare screen); a fixed DPI so that layouts do not depend on the X
  # server; the dialog font's Windows metrics; no crash dialog.
  apply_virtual_desktop_setting &&
    DISPLAY="" "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 {lock_fd}>&- &&
    DISPLAY="" "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Microsoft Sans Serif" /d "$WINDOWS_DIALOG_FONT" /f >/dev/null 2>&1 {lock_fd}>&- &&
    DISPLAY="" "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 {lock_fd}>&-
}

# Tests that try other resolutions or fonts change these values for a moment and put them back;
# a run killed in between must not leave the next run with other metrics. Read from the prefix's
# registry file (current whenever no wineserver of the prefix runs, as here under the lock).
# Only the DPI setting itself counts: Wine also records under Software\Wine\Fonts the DPI its
# font cache was last built for, which differs after a run at another DPI and is rebuilt by
# itself; restoring for it would start Wine four times before every such run.
prefix_settings_intact() {
  local reg="$WINEPREFIX/user.reg"
  grep -qxF "\"Microsoft Sans Serif\"=\"$WINDOWS_DIALOG_FONT\"" "$reg" 2>/dev/null &&
    awk '/^\[/ { desktop = index($0, "[Control Panel\\\\Desktop]") == 1 }
         desktop && $0 == "\"LogPixels\"=dword:00000060" { found = 1 }
         END { exit !found }' "$reg"
}

ensure_prefix() {
  [ -x "$WINE" ] || die "Wine launcher $WINE not found (install wine64)"
  local marker
  marker=$(prefix_marker)
  if [ "$(cat "$marker" 2>/dev/null)" = "$PREFIX_VERSION" ]; then
    prefix_settings_intact && return 0
    log "restoring the settings of prefix $WINEPREFIX"
    apply_prefix_settings || die "could not write the settings into $WINEPREFIX"
    "$WINESERVER" -w || die "wineserver did not finish after preparing $WINEPREFIX"
    return 0
  fi
  # Without that font Wine silently falls back to its own metrics.
  [ -n "$(fc-list "$WINDOWS_DIALOG_FONT" family 2>/dev/null)" ] ||
    die "font $WINDOWS_DIALOG_FONT not found (install fonts-dejavu-extra: tools/install-deps.sh)"
  if [ ! -f "$marker" ]; then
    log "creating prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    # No display while the prefix is made: nothing needs one, and no window may pop up.
    DISPLAY="" "$WINE" wineboot -i >/dev/null 2>&1 {lock_fd}>&- || die "wineboot -i failed for $WINEPREFIX"
  else
    log "updating prefix $WINEPREFIX to version $PREFIX_VERSION"
  fi
  apply_prefix_settings || die "could not write the settings into $WINEPREFIX"
  "$WINESERVER" -w || die "wineserver did not finish after preparing $WINEPREFIX"
  echo "$PREFIX_VERSION" >"$marker" || die "cannot write $marker"
}

display_answers() { xdpyinfo -display "$1" >/dev/null 2>&1; }

ensure_display() {
  if [ -n "${TRESSEL_DISPLAY:-}" ]; then
    display=$TRESSEL_DISPLAY
    display_answers "$display" || die "TRESSEL_DISPLAY=$display does not answer"
    return 0
  fi
  command -v Xvfb >/dev/null || die "Xvfb not found (install xvfb)"
  # Xvfb chooses a free display number itself and writes it to the given descriptor: runs that
  # start at the same moment cannot both take the same number (choosing one here and starting
  # Xvfb on it could let two runs share one server).
  local number_file
  number_file=$(mktemp) || die "cannot create a temporary file"
  Xvfb -displayfd 1 -screen 0 "${DESKTOP_SIZE}x24" -nolisten tcp >"$number_file" 2>/dev/null {lock_fd}>&- &
  started_xvfb_pid=$!
  if ! wait_for 20 test -s "$number_file"; then
    rm -f "$number_file"
    die "Xvfb did not start"
  fi
  display=":$(head -n 1 "$number_file")"
  rm -f "$number_file"
  wait_for 10 display_answers "$display" || die "Xvfb $display does not answer"
  log "Xvfb $display (pid $started_xvfb_pid)"
}

ensure_wineserver() {
  # A persistent server keeps the desktop alive between the processes of one run.
  DISPLAY="$display" "$WINESERVER" -p {lock_fd}>&-
  case $? in
    0) started_wineserver=1 ;;
    2)
      # Another server holds this prefix although we hold its lock: a run that was killed
      # left it behind. Its desktop belongs to a display that may be gone; start afresh.
      log "stopping a stale wineserver of $WINEPREFIX"
      "$WINESERVER" -k 2>/dev/null
      "$WINESERVER" -w 2>/dev/null
      DISPLAY="$display" "$WINESERVER" -p {lock_fd}>&- || die "wineserver would not start for $WINEPREFIX"
      started_wineserver=1
      ;;
    *) die "wineserver would not start for $WINEPREFIX" ;;
  esac
}

desktop_exists() {
  xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Default - Wine desktop"'
}

explorer_running() { kill -0 "$started_explorer_pid" 2>/dev/null; }

desktop_or_explorer_gone() { desktop_exists || ! explorer_running; }

ensure_desktop() {
  desktop_exists && return 0
  local attempt status
  for attempt in 1 2 3; do
    DISPLAY="$display" "$WINE" explorer "/desktop=Default,$DESKTOP_SIZE" >/dev/null 2>&1 {lock_fd}>&- &
    started_explorer_pid=$!
    wait_for 60 desktop_or_explorer_gone
    desktop_exists && return 0
    # Said aloud, never silent: an explorer that ends before its desktop shows is started again.
    if explorer_running; then
      echo "wine-run: no desktop on $display after 60 s (attempt $attempt); windows:" >&2
      xwininfo -display "$display" -root -children 2>&1 | tail -n 5 >&2
      kill "$started_explorer_pid" 2>/dev/null
      wait "$started_explorer_pid" 2>/dev/null
      started_explorer_pid=""
      continue
    fi
    wait "$started_explorer_pid"
    status=$?
    started_explorer_pid=""
    # The first process of a server that needs a desktop makes Wine start an explorer of its own
    # (seen beside ours in every run). When that one makes the desktop first, ours ends with 0
    # and the desktop shows a little later, from the other one.
    if [ "$status" = 0 ] && wait_for 30 desktop_exists; then
      log "the desktop on $display came from Wine's own explorer"
      return 0
    fi
    echo "wine-run: explorer ended with $status before its desktop appeared (attempt $attempt)" >&2
  done
  die "the Wine virtual desktop did not appear on $display"
}

wine_session_stop() {
  local rc=$?
  if [ -n "$started_wineserver" ]; then
    "$WINESERVER" -k 2>/dev/null
    "$WINESERVER" -w 2>/dev/null
  fi
  if [ -n "$started_explorer_pid" ]; then
    kill "$started_explorer_pid" 2>/dev/null
    wait_for 10 sh -c "! kill -0 $started_explorer_pid 2>/dev/null" ||
      kill -KILL "$started_explorer_pid" 2>/dev/null
    wait "$started_explorer_pid" 2>/dev/null
  fi
  if [ -n "$started_xvfb_pid" ]; then
    kill "$started_xvfb_pid" 2>/dev/null
    wait "$started_xvfb_pid" 2>/dev/null
  fi
  exit $rc
}
