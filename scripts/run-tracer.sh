#!/usr/bin/env bash
# Sets up, builds, installs the stand-in driver and starts "vizo.exe" under Wine
# in run/tracer/, where it reads the stand-in's trace text. On $DISPLAY it runs
# until closed; without a display it runs for about ten seconds, saves
# run/tracer/screenshot.png, ends through the program's own Exit command and
# lists the files left behind. Options after the script's
# name are standin_ctl's install options (for example --ports 16).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
. scripts/build-preset.sh
. scripts/wine-session.sh

build_preset windows "$root/build/run-logs" -- --target vizo post_command standin_ctl standin_driver

bin=$root/build/windows/bin
run=$root/run/tracer
mkdir -p "$run"
cp "$bin/vizo.exe" "$run/"
cd "$run"

had_display=${DISPLAY:-}
finish() {
  wine "$bin/standin_ctl.exe" remove || true
  wine_session_stop
}
trap finish EXIT
wine_session_start "$root/build/windows/wineprefix"
wine "$bin/standin_ctl.exe" install "$@"

if [ -n "$had_display" ]; then
  echo "== vizo.exe on $DISPLAY, reading the stand-in driver (close the window to end)"
  wine vizo.exe
else
  echo "== vizo.exe on a virtual display for ten seconds, reading the stand-in driver"
  wine vizo.exe &
  tracer=$!
  sleep 10
  import -window root "$run/screenshot.png"
  echo "screenshot: run/tracer/screenshot.png"
  wine "$bin/post_command.exe" Vizo "Vizo Tracer" exit
  wait "$tracer"
fi
echo "== files in run/tracer/"
ls -la "$run"
