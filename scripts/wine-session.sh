# Sourced by the scripts: one X display and one wineserver for a whole run.
# wine_session_start PREFIX [virtual [WxH]] starts them (reusing $DISPLAY when
# set unless asked for a virtual one, 1280x1024 unless given a size);
# wine_session_stop ends what was started. virtual_display_start [WxH] and
# virtual_display_stop are the one way the scripts start a virtual display.

# Starts Xvfb on the first free display number and sets DISPLAY; says why and
# returns 1 when it cannot.
virtual_display_start() {
  VIRTUAL_DISPLAY_PID=
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "virtual display: Xvfb is not installed (bash scripts/setup.sh installs the xvfb package)" >&2
    return 1
  fi
  local n=90 attempt log
  # Another run may take the same free number at the same moment: try the next.
  for attempt in 1 2 3 4 5; do
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    log=$(mktemp)
    Xvfb ":$n" -screen 0 "${1:-1280x1024}x24" -nolisten tcp >"$log" 2>&1 &
    VIRTUAL_DISPLAY_PID=$!
    local tries=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null && [ $tries -lt 100 ]; do
      sleep 0.1
      tries=$((tries + 1))
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null; then
      rm -f "$log"
      export DISPLAY=":$n"
      return 0
    fi
    kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    wait "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    echo "virtual display: Xvfb did not start on :$n (attempt $attempt): $(tail -2 "$log" | tr '\n' ' ')" >&2
    rm -f "$log"
    n=$((n + 1))
  done
  VIRTUAL_DISPLAY_PID=
  return 1
}

virtual_display_stop() {
  if [ -n "${VIRTUAL_DISPLAY_PID:-}" ]; then
    kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    wait "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    VIRTUAL_DISPLAY_PID=
  fi
}

wine_session_start() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  VIRTUAL_DISPLAY_PID=
  if [ -z "${DISPLAY:-}" ] || [ "${2:-}" = virtual ]; then
    virtual_display_start "${3:-1280x1024}" || return 1
  fi
  # Started first and kept alive for the run: a server that a test's wine starts
  # on its own would hold that test's output open after it ends.
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix (once per build folder)"
  fi
  # Not "wineboot -i": as the session's first program Wine already runs the
  # prefix set-up for it, and a second one leaves two service managers that
  # answer service requests at random.
  wine wineboot >/dev/null 2>&1 </dev/null
  # On a display of our own no window manager runs: Wine would wait 2 s for one
  # at every window it hides (each program's exit), and would maximise a window
  # only where it places it itself. The value stays in the prefix, so it
  # follows the display each session uses.
  if [ -n "$VIRTUAL_DISPLAY_PID" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  else
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 </dev/null
  fi
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  virtual_display_stop
}
