#!/usr/bin/env bash
# Sets up, builds, and starts "zorvel.exe -F" under Wine in run/. On $DISPLAY it
# runs until closed; without a display it runs on a virtual one for about ten
# seconds, saves run/screenshot.png, ends through the program's own Exit command
# and lists the files left behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
. scripts/wine-session.sh

echo "== build windows"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc 2>/dev/null || echo 2)" --target zorvel post_command >/dev/null

run=$root/run
mkdir -p "$run"
cp build/windows/bin/zorvel.exe "$run/"
cd "$run"

had_display=${DISPLAY:-}
wine_session_start "$root/build/windows/wineprefix"
trap wine_session_stop EXIT

if [ -n "$had_display" ]; then
  echo "== zorvel.exe -F on $DISPLAY (close the window to end)"
  wine zorvel.exe -F
else
  echo "== zorvel.exe -F on a virtual display for ten seconds"
  wine zorvel.exe -F &
  monitor=$!
  sleep 10
  import -window root "$run/screenshot.png"
  echo "screenshot: run/screenshot.png"
  wine "$root/build/windows/bin/post_command.exe" Zorvel "TarnelPort Monitor" 107
  wait "$monitor"
fi
echo "== files in run/"
ls -la "$run"
