# Sourced by the scripts: one X display and one wineserver for a whole run.
# wine_session_start PREFIX [virtual [WxH]] starts them (reusing $DISPLAY when
# set unless asked for a virtual one, 1280x1024 unless given a size);
# wine_session_stop ends what was started.

wine_session_start() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_SESSION_XVFB_PID=
  if [ -z "${DISPLAY:-}" ] || [ "${2:-}" = virtual ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${3:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
    WINE_SESSION_XVFB_PID=$!
    export DISPLAY=":$n"
    local tries=0
    until [ -e "/tmp/.X11-unix/X$n" ] || [ $tries -ge 50 ]; do sleep 0.1; tries=$((tries + 1)); done
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
  if [ -n "$WINE_SESSION_XVFB_PID" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  else
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 </dev/null
  fi
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${WINE_SESSION_XVFB_PID:-}" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
  fi
}
