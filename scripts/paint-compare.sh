#!/usr/bin/env bash
# paint-compare.sh BEFORE_ZORVEL_EXE: the grid as an earlier build and as this
# tree's build draw it, pixel for pixel. Both run maximised on a 1920x1080
# virtual screen on the simulated source ("-F"), whose traffic is the same on
# every run, with the first tick's figures only (no second tick within the
# run): the default view, and a view of every display type with colours and a
# text wider than its cell. Then this build ticking every second: the picture
# its partial repaints leave against a forced full repaint. The pictures and
# their differences go to build/paint-compare/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ $# -eq 1 ] && [ -f "$1" ] || { echo "usage: paint-compare.sh BEFORE_ZORVEL_EXE"; exit 2; }
before=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

. scripts/build-preset.sh
build_preset windows "$root/build/paint-compare-logs" -- --target zorvel wine_probe screenshot_helper post_command ||
  exit 1
bin=$root/build/windows/bin
out=$root/build/paint-compare
rm -rf "$out"
mkdir -p "$out"

. scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start "$root/build/windows/wineprefix-paint" virtual 1920x1080 || exit 1

probe() { wine "$bin/wine_probe.exe" "$@"; }
helper() { wine "$bin/screenshot_helper.exe" "$@" | tr -d '\r'; }
window() { helper window Zorvel "TarnelPort Monitor"; }
picture() { import -window root -crop "$(window)" +repage -strip "$out/$1.png"; }
# differ A B: the number of pixels that differ; a picture of them in A-B.png.
differ() { compare -metric AE "$out/$1.png" "$out/$2.png" "$out/$1-$2.png" 2>&1 >/dev/null; }

# run NAME EXE VIEW UPDATE_TIME: starts EXE -F maximised in a fresh folder with
# VIEW (a file, or "" for the default view); its pid is $pid.
run() {
  local folder=$out/$1
  mkdir -p "$folder"
  [ -n "$3" ] && cp "$3" "$folder/zorvel.vew"
  printf '[program]\r\nUpdateTime=%s\r\n' "$4" >"$folder/zorvel.ini"
  read -r pid _ < <(cd "$folder" && probe start 20000 Zorvel "TarnelPort Monitor" "$(winepath -w "$2")" -F)
  [ -n "${pid:-}" ] || { echo "paint-compare: $2 did not start"; exit 1; }
  probe maximise Zorvel "TarnelPort Monitor" >/dev/null
  sleep 1
}
stop() {
  wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" 107 >/dev/null 2>&1
  probe wait "$pid" 10000 >/dev/null
}

# Every display type, colours on both sides of each, a signal whose "Off" has
# no colour (white), a name wider than its column and a column of width 0.
types=$out/types.vew
{
  printf '[program]\r\n\r\n'
  printf '[CellOpen]\r\nInput=1\r\nWidth=10\r\nType=1\r\nColor0=192,192,192\r\nColor1=128,128,192\r\n\r\n'
  printf '[CellCD ]\r\nInput=4\r\nType=1\r\nColor0=0,0,0\r\nColor1=128,192,128\r\n\r\n'
  printf '[CellTxTotal]\r\nInput=7\r\nWidth=16\r\nType=0\r\nColor0=255,0,0\r\nColor1=0,128,0\r\n\r\n'
  printf '[CellRxTotal]\r\nInput=8\r\nWidth=16\r\nType=2\r\nColor0=0,0,255\r\nColor1=128,0,128\r\n\r\n'
  printf '[CellTxCPSInst]\r\nInput=9\r\nColor0=192,192,192\r\nColor1=128,128,192\r\n\r\n'
  printf '[CellErrors]\r\nInput=11\r\nColor0=0,128,128\r\nColor1=255,0,0\r\n\r\n'
  printf '[CellCDRunTime]\r\nInput=43\r\nType=3\r\nColor0=0,0,255\r\nColor1=255,0,255\r\n\r\n'
  printf '[CellA name far wider than its cell]\r\nInput=8\r\nWidth=6\r\nType=3\r\n\r\n'
  printf '[CellRxTotal]\r\nInput=8\r\nWidth=0\r\n\r\n'
} >"$types"

for build in before:"$before" after:"$bin/zorvel.exe"; do
  name=${build%%:*} exe=${build#*:}
  for view in default:"" types:"$types"; do
    run "$name-${view%%:*}" "$exe" "${view#*:}" 100000
    picture "$name-${view%%:*}"
    stop
  done
done
run again-default "$before" "" 100000
picture again-default
stop
echo "before against itself, default view: $(differ before-default again-default) pixels differ"
echo "before against after, default view:  $(differ before-default after-default) pixels differ"
echo "before against after, every type:    $(differ before-types after-types) pixels differ"

# A tick may fall between the two pictures: then the figures differ, and it is tried again.
run ticks "$bin/zorvel.exe" "$types" 1
sleep 5
for attempt in 1 2 3 4 5; do
  picture ticked
  probe redraw Zorvel "TarnelPort Monitor" 1 0 >/dev/null
  picture redrawn
  pixels=$(differ ticked redrawn)
  echo "after ticking against a full repaint (attempt $attempt): $pixels pixels differ"
  [ "$pixels" = 0 ] && break
  sleep 0.3
done
stop
