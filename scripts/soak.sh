#!/usr/bin/env bash
# soak.sh MINUTES [BIN]: runs the monitor (UpdateTime 1, the stand-in with 128
# ports, maximised on a 1920x1080 screen, forced to repaint every second) and
# the trace viewer (a full 10,084-byte trace reply at every poll) for MINUTES,
# samples both programs' memory from outside every 10 s, and fails when private
# bytes grow after the first third of the run or when the grid's cells are no
# longer painted in their colours at the end. BIN takes the programs from
# another build folder instead of building them; SOAK_OUT names the folder for
# the figures (default build/soak), so two soaks can run side by side.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

minutes=${1:-2}
bin=${2:-$root/build/windows/bin}
seconds=$((minutes * 60))
# Private bytes may move by heap rounding; a leak of one small block per cell
# and tick passes this within seconds.
allowed=$((512 * 1024))

if [ $# -lt 2 ]; then
  . scripts/build-preset.sh
  build_preset windows "$root/build/soak-logs" -- \
    --target zorvel vizo standin_ctl standin_driver wine_probe post_command || exit 1
fi

. scripts/wine-session.sh
out=${SOAK_OUT:-$root/build/soak}
rm -rf "$out"
mkdir -p "$out/monitor" "$out/tarnel" "$out/bin"
# Copies, so that a rebuild meanwhile does not pull a program from under Wine.
for file in zorvel.exe vizo.exe standin_ctl.exe tarnel_standin.sys wine_probe.exe post_command.exe; do
  cp "$bin/$file" "$out/bin/" || exit 1
done
bin=$out/bin
printf '[program]\r\nUpdateTime=1\r\n' >"$out/monitor/zorvel.ini"

probe() { wine "$bin/wine_probe.exe" "$@"; }
finish() {
  wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" exit >/dev/null 2>&1
  wine "$bin/post_command.exe" Vizo "Vizo Tracer" exit >/dev/null 2>&1
  sleep 2
  wine "$bin/standin_ctl.exe" remove >/dev/null 2>&1
  wine_session_stop
}
trap finish EXIT
wine_session_start "$out-wineprefix" virtual 1920x1080 || exit 1
wine "$bin/standin_ctl.exe" install --ports 128 --driver "$(winepath -w "$bin/tarnel_standin.sys")" || exit 1

# The viewer first, so that the maximised monitor lies over it.
cd "$out/tarnel"
read -r tracer _ < <(probe start 20000 Vizo "Vizo Tracer" "$(winepath -w "$bin/vizo.exe")")
cd "$out/monitor"
read -r monitor _ < <(probe start 20000 Zorvel "TarnelPort Monitor" "$(winepath -w "$bin/zorvel.exe")")
cd "$root"
if [ -z "${tracer:-}" ] || [ -z "${monitor:-}" ]; then
  echo "soak: the programs did not start"; exit 1
fi
probe maximise Zorvel "TarnelPort Monitor" >/dev/null || { echo "soak: the monitor was not maximised"; exit 1; }

echo "== soak for $minutes min: monitor pid $monitor, trace viewer pid $tracer"
probe redraw Zorvel "TarnelPort Monitor" "$seconds" 1000 >"$out/redraw.txt" 2>&1 &
redraw=$!
probe burst 100 "$seconds" >"$out/burst.txt" 2>&1 &
burst=$!
echo "seconds monitor_private monitor_working_set tracer_private tracer_working_set" >"$out/memory.txt"
start=$SECONDS
while [ $((SECONDS - start)) -lt "$seconds" ]; do
  read -r mp mw < <(probe memory "$monitor")
  read -r tp tw < <(probe memory "$tracer")
  echo "$((SECONDS - start)) ${mp:-0} ${mw:-0} ${tp:-0} ${tw:-0}" >>"$out/memory.txt"
  sleep 10
done
wait $redraw $burst
import -window root "$out/screenshot.png"

status=0
[ -s "$out/burst.txt" ] && { echo "soak: bursts stopped: $(cat "$out/burst.txt")"; status=1; }
echo "forced repaints (ms, min median max): $(cat "$out/redraw.txt")"
warm=$((seconds / 3))
for program in monitor:2 tracer:4; do
  name=${program%:*}
  awk -v c="${program#*:}" -v warm="$warm" -v allowed="$allowed" -v name="$name" '
    NR > 1 && $1 >= warm { if (base == "") base = $c; last = $c; if ($c > peak) peak = $c }
    NR > 1 && $c == 0 { lost = 1 }
    END {
      printf "%s: private bytes %d after warm-up, %d at the end, peak %d\n", name, base, last, peak
      if (lost || base == "") { print name ": not running to the end"; exit 1 }
      if (peak - base > allowed) { printf "%s: grew by %d bytes after warm-up\n", name, peak - base; exit 1 }
    }' "$out/memory.txt" || status=1
done

# Cells still painted: white backgrounds and the green of the on/off columns.
convert "$out/screenshot.png" -format %c histogram:info:- | awk '
  /#FFFFFF/ { white = $1 + 0 } /#80C080|#80FF80/ { green += $1 + 0 }
  END {
    printf "screenshot: %.0f%% white, %d green pixels\n", white * 100 / (1920 * 1080), green
    if (white < 0.2 * 1920 * 1080 || green < 5000) { print "soak: the grid is no longer painted"; exit 1 }
  }' || status=1

[ $status -eq 0 ] && echo "soak passed" || echo "soak FAILED (figures in ${out#"$root"/})"
exit $status
