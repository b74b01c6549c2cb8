#!/usr/bin/env bash
# Sets up, builds, and starts "zorvel.exe -F" under Wine in run/. On $DISPLAY it
# runs until closed; without a display it runs on a virtual one for about ten
# seconds, saves run/screenshot.png, ends through the program's own Exit command
# and lists the files left behind.
#
# run-monitor.sh --stand-in [INSTALL OPTIONS]: the same, but "zorvel.exe" reads
# the stand-in driver, installed for the run with standin_ctl's install options
# (for example --ports 16) and removed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

standin=0
if [ "${1:-}" = "--stand-in" ]; then
  standin=1
  shift
fi

bash scripts/setup.sh
. scripts/build-preset.sh
. scripts/wine-session.sh

targets=(zorvel post_command)
[ $standin -eq 1 ] && targets+=(standin_ctl standin_driver)
build_preset windows "$root/build/run-logs" -- --target "${targets[@]}"

bin=$root/build/windows/bin
run=$root/run
mkdir -p "$run"
cp "$bin/zorvel.exe" "$run/"
cd "$run"

had_display=${DISPLAY:-}
finish() {
  if [ $standin -eq 1 ]; then
    wine "$bin/standin_ctl.exe" remove || true
  fi
  wine_session_stop
}
trap finish EXIT
wine_session_start "$root/build/windows/wineprefix"

arguments=(-F)
source="the simulated source"
if [ $standin -eq 1 ]; then
  wine "$bin/standin_ctl.exe" install "$@"
  arguments=()
  source="the stand-in driver"
fi

program="zorvel.exe${arguments[*]:+ ${arguments[*]}}"
if [ -n "$had_display" ]; then
  echo "== $program on $DISPLAY, reading $source (close the window to end)"
  wine zorvel.exe "${arguments[@]}"
else
  echo "== $program on a virtual display for ten seconds, reading $source"
  wine zorvel.exe "${arguments[@]}" &
  monitor=$!
  sleep 10
  import -window root "$run/screenshot.png"
  echo "screenshot: run/screenshot.png"
  wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" exit
  wait "$monitor"
fi
if [ $standin -eq 1 ]; then
  echo "== what the stand-in was asked"
  wine "$bin/standin_ctl.exe" send stats
fi
echo "== files in run/"
ls -la "$run"
