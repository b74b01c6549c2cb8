#!/usr/bin/env bash
# Takes the user guide's screenshots from the real programs and writes them to
# docs/images/: sets up and builds what it needs, starts its own virtual X
# display and Wine session (a prefix of its own, in which Wine draws the window
# frames, as there is no window manager), runs the programs in scratch folders
# under build/screens/, drives them with screenshot_helper.exe (tests/e2e) and
# crops each picture to its window, dialog or menu. The pictures are committed;
# this one command makes them again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
. scripts/build-preset.sh
. scripts/wine-session.sh

build_preset windows "$root/build/screens-logs" -- \
  --target zorvel vizo standin_ctl standin_driver post_command screenshot_helper write_sample_history

bin=$root/build/windows/bin
work=$root/build/screens
images=$root/docs/images
mkdir -p "$images"

standin=0
finish() {
  if [ $standin -eq 1 ]; then
    wine "$bin/standin_ctl.exe" remove >/dev/null || true
  fi
  wine_session_stop
}
trap finish EXIT

helper() {
  wine "$bin/screenshot_helper.exe" "$@" | tr -d '\r'
}

# crop NAME GEOMETRY: the screen cropped to GEOMETRY (WxH+X+Y).
crop() {
  sleep 1  # lets the window finish painting its controls
  import -window root -crop "$2" +repage -strip "$images/$1.png"
  echo "  docs/images/$1.png ($2)"
}

# shoot NAME window CLASS TITLE | dialog CAPTION: the screen cropped to it.
shoot() {
  local name=$1 geometry
  shift
  geometry=$(helper "$@")
  crop "$name" "$geometry"
}

# folder NAME PROGRAM: a fresh scratch folder build/screens/NAME holding PROGRAM.
folder() {
  rm -rf "${work:?}/$1"
  mkdir -p "$work/$1"
  cp "$bin/$2" "$work/$1/"
}

# wait_exit PID WHAT: the program ends through its own Exit command.
wait_exit() {
  local tries=0
  while kill -0 "$1" 2>/dev/null; do
    if [ $tries -ge 150 ]; then
      echo "screenshots: $2 did not end within 15 s after Exit" >&2
      return 1
    fi
    sleep 0.1
    tries=$((tries + 1))
  done
  wait "$1" || true
}

wine_session_start "$work/wineprefix" virtual
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
# Wine's own fonts (fonts-wine), which this Wine does not look for by itself:
# the frame's buttons are drawn in Marlett.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
line=$(helper line-height)

echo "== the monitor on the simulated source"
folder simulated zorvel.exe
printf '[program]\r\nwindow=0,0,900,735\r\n' >"$work/simulated/zorvel.vew"
printf '[program]\r\nUpdateTime=2\r\nHourSingle=2\r\nHourMulti=1\r\nDaySingle=1\r\nDayMulti=3\r\n' \
  >"$work/simulated/zorvel.ini"
(cd "$work/simulated" && exec wine zorvel.exe -F) &
monitor=$!
helper window Zorvel "TarnelPort Monitor" >/dev/null
sleep 7
shoot monitor-simulated window Zorvel "TarnelPort Monitor"
wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" config
shoot program-setup dialog "Program Setup"
helper press "Program Setup" 2
helper gone "Program Setup"
wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" exit
wait_exit $monitor "zorvel.exe -F"

echo "== the graph of a port, after a day of the simulated source"
folder graph zorvel.exe
(cd "$work/graph" && wine "$bin/write_sample_history.exe")
printf '[program]\r\nUpdateTime=2\r\n[graph]\r\nwindow=0,0,900,420\r\nRange=2\r\n' >"$work/graph/zorvel.ini"
(cd "$work/graph" && exec wine zorvel.exe -F) &
monitor=$!
helper window Zorvel "TarnelPort Monitor" >/dev/null
wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" graph
helper window ZorvelGraph "Graph - COM5" >/dev/null
sleep 1
shoot graph window ZorvelGraph "Graph - COM5"
wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" exit
wait_exit $monitor "zorvel.exe -F"

echo "== the monitor on the stand-in driver with 16 ports"
folder stand-in zorvel.exe
# A view of eleven columns that fits the window: signals, totals, rates,
# errors and carrier-detect runs.
{
  printf '[program]\r\nwindow=0,0,630,400\r\n\r\n'
  printf '[CellOpen]\r\nInput=1\r\nWidth=10\r\nType=1\r\nColor0=192,192,192\r\nColor1=128,128,192\r\n\r\n'
  printf '[CellCD ]\r\nInput=4\r\nType=1\r\nColor0=192,192,192\r\nColor1=128,192,128\r\n\r\n'
  printf '[CellDSR]\r\nInput=3\r\nType=1\r\nColor0=192,192,192\r\nColor1=128,192,128\r\n\r\n'
  printf '[CellCTS]\r\nInput=2\r\nType=1\r\nColor0=192,192,192\r\nColor1=128,192,128\r\n\r\n'
  printf '[CellTxTotal]\r\nInput=7\r\nWidth=16\r\nType=2\r\n\r\n'
  printf '[CellRxTotal]\r\nInput=8\r\nWidth=16\r\nType=2\r\n\r\n'
  printf '[CellTxCPSInst]\r\nInput=9\r\nColor0=192,192,192\r\nColor1=128,128,192\r\n\r\n'
  printf '[CellRxCPSInst]\r\nInput=10\r\nColor0=192,192,192\r\nColor1=128,128,192\r\n\r\n'
  printf '[CellErrors]\r\nInput=11\r\n\r\n'
  printf '[CellCDRuns]\r\nInput=40\r\n\r\n'
  printf '[CellCDRunTime]\r\nInput=43\r\nType=3\r\n\r\n'
} >"$work/stand-in/zorvel.vew"
standin=1
wine "$bin/standin_ctl.exe" install --ports 16
(cd "$work/stand-in" && exec wine zorvel.exe) &
monitor=$!
helper window Zorvel "TarnelPort Monitor" >/dev/null
sleep 10
window=$(helper window Zorvel "TarnelPort Monitor")
crop monitor-stand-in "$window"
# A right click on the header of the first column ("Open", 10 units wide, after
# the device column of 12): its popup offers Remove, Properties, Reset, Add.
helper right-click Zorvel "TarnelPort Monitor" $((line * 12 / 4 + line * 10 / 8)) $(((line + 4) / 2))
menu=$(helper popup)
# The picture runs from the window's corner to a little beyond the menu.
IFS='x+' read -r _ _ wx wy <<<"$window"
IFS='x+' read -r mw mh mx my <<<"$menu"
crop context-menu "$((mx + mw + 60 - wx))x$((my + mh + 40 - wy))+$wx+$wy"
helper choose 2
shoot column-setup dialog "Column Setup"
helper press "Column Setup" 2
helper gone "Column Setup"
wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" exit
wait_exit $monitor "zorvel.exe"

echo "== the trace viewer on the stand-in driver, after a burst"
# The folder's name makes the viewer pick the tarnel driver family.
folder tarnel vizo.exe
printf '[program]\r\nwindow=0,0,900,560\r\n' >"$work/tarnel/vizo.ini"
(cd "$work/tarnel" && exec wine vizo.exe) &
tracer=$!
helper window Vizo "Vizo Tracer" >/dev/null
sleep 2
helper type Vizo "Vizo Tracer" help
sleep 1
helper type Vizo "Vizo Tracer" "burst 300"
sleep 2
shoot trace-viewer window Vizo "Vizo Tracer"
wine "$bin/post_command.exe" Vizo "Vizo Tracer" exit
wait_exit $tracer "vizo.exe"
