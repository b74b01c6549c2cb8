#!/usr/bin/env bash
# bench-wine.sh [--runs N] [--before ZORVEL_EXE] [--service] [--graph]: what the user feels under
# Wine, measured from outside by wine_probe against a bare window program, the
# programs interleaved N times (default 5) on a 1920x1080 virtual screen:
#   - a forced full repaint of the maximised monitor on the stand-in's 128
#     ports, and the repaint of one small corner (also of ZORVEL_EXE, an
#     earlier build, when given);
#   - process start to first paint of "zorvel.exe -F";
#   - private bytes after a minute of ticks;
#   - CPU of vizo.exe idle and while the stand-in sends a full trace reply at
#     every poll;
#   - CPU of the maximised monitor on the stand-in's 128 ports, sampling every
#     second (also of ZORVEL_EXE);
#   - CPU of zorvel-service over a minute on the stand-in's 128 ports, sampling
#     every second, and its private bytes against zorvel.exe's (--service: this
#     alone);
#   - a forced full repaint of a maximised graph window over a day of
#     simulated history, against the bare window's (--graph: this alone).
# Each figure is printed as min / median / max over the runs, beside its baseline.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

runs=5
before=
service_only=0
graph_only=0
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --before) before=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
    --service) service_only=1; shift ;;
    --graph) graph_only=1; shift ;;
    *) echo "usage: bench-wine.sh [--runs N] [--before ZORVEL_EXE] [--service] [--graph]"; exit 2 ;;
  esac
done

. scripts/build-preset.sh
build_preset windows "$root/build/bench-logs" -- \
  --target zorvel zorvel-service vizo standin_ctl standin_driver wine_probe bare_window post_command \
  write_sample_history || exit 1
bin=$root/build/windows/bin
out=$root/build/bench-wine
rm -rf "$out"
mkdir -p "$out"

. scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start "$root/build/windows/wineprefix-bench" virtual 1920x1080 || exit 1

probe() { wine "$bin/wine_probe.exe" "$@"; }
# One figure per line in; "min / median / max" out.
spread() { sort -g | awk '{ v[NR] = $1 } END { if (NR) printf "%s / %s / %s", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
figure() { printf "  %-44s %s  (%s runs)\n" "$1" "$(spread <"$out/$2")" "$(wc -l <"$out/$2")"; }
median() { sort -g "$out/$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# compare TEXT A B ratio|difference GOAL: A's median against B's, and the goal.
compare() {
  awk -v a="$(median "$2")" -v b="$(median "$3")" -v how="$4" -v goal="$5" -v text="$1" 'BEGIN {
    v = how == "ratio" ? a / b : a - b
    printf "  %-44s %.2f%s (goal at most %s): %s\n", text, v, how == "ratio" ? "x" : "", goal, v <= goal ? "met" : "MISSED"
  }'
}

# start NAME FOLDER CLASS TITLE EXE [ARGS]: starts a program in FOLDER and
# records its pid as $pid and its milliseconds to first paint as $painted.
start() {
  local folder=$2 class=$3 title=$4 exe=$5
  shift 5
  mkdir -p "$folder"
  read -r pid painted < <(cd "$folder" && probe start 20000 "$class" "$title" "$(winepath -w "$exe")" "$@")
  [ -n "${pid:-}" ] || { echo "bench-wine: $exe did not start"; exit 1; }
}
# stop CLASS TITLE PID: ends the program through its Exit command (or closes
# the bare window) and waits for it.
stop() {
  wine "$bin/post_command.exe" "$1" "$2" exit >/dev/null 2>&1
  probe wait "$3" 10000 >/dev/null
}

# Read from Linux: under Wine GetProcessTimes answers for the caller only.
# unix_pid EXE: the Linux process of this session that runs EXE.
unix_pid() {
  local p
  for p in /proc/[0-9]*; do
    { tr '\0' '\n' <"$p/cmdline" | grep -qF "$1" &&
      tr '\0' '\n' <"$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${p#/proc/}" && return; } 2>/dev/null
  done
}
# User plus system time of a Linux process in ms.
cpu_ms() { sed 's/^.*) //' "/proc/$1/stat" | awk -v hz="$(getconf CLK_TCK)" '{ print ($12 + $13) * 1000 / hz }'; }
share() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", (b - a) / 100 }'; }

# The service and, for its memory, the window program on the same 128 ports at
# the same period. The service manager may keep the caller's output open, so
# the commands write to a file.
bench_service() {
  echo "== zorvel-service: CPU over 60 s and private bytes, 128 ports, a tick every second ($runs runs)"
  wine "$bin/standin_ctl.exe" install --ports 128 --driver "$(winepath -w "$bin/tarnel_standin.sys")" >/dev/null
  local run folder windows_pid u c0 c1
  for ((run = 1; run <= runs; run++)); do
    folder=$out/service-$run
    mkdir -p "$folder"
    printf '[program]\r\nUpdateTime=1\r\n' >"$folder/zorvel.ini"
    wine "$bin/zorvel-service.exe" install "$(winepath -w "$folder")" --no-folder-check --name TarnelPortBench \
      >"$out/service-commands" 2>&1 || { cat "$out/service-commands"; exit 1; }
    windows_pid=$(awk '{ print $2 }' "$folder/zorvel.lck")
    u=$(unix_pid zorvel-service.exe)
    [ -n "$u" ] && [ -n "$windows_pid" ] || { echo "bench-wine: no process for the service"; exit 1; }
    sleep 2
    c0=$(cpu_ms "$u")
    sleep 60
    c1=$(cpu_ms "$u")
    awk -v a="$c0" -v b="$c1" 'BEGIN { printf "%.3f\n", (b - a) / 600 }' >>"$out/cpu-service"
    probe memory "$windows_pid" | awk '{ print $1 }' >>"$out/memory-service"
    wine "$bin/zorvel-service.exe" uninstall --name TarnelPortBench >>"$out/service-commands" 2>&1
    folder=$out/service-window-$run
    mkdir -p "$folder"
    printf '[program]\r\nUpdateTime=1\r\n' >"$folder/zorvel.ini"
    start window "$folder" Zorvel "TarnelPort Monitor" "$bin/zorvel.exe"
    sleep 60
    probe memory "$pid" | awk '{ print $1 }' >>"$out/memory-window"
    stop Zorvel "TarnelPort Monitor" "$pid"
  done
  wine "$bin/standin_ctl.exe" remove >/dev/null
  figure "zorvel-service, CPU %" cpu-service
  figure "zorvel-service, private bytes" memory-service
  figure "zorvel.exe, private bytes" memory-window
  awk -v v="$(median cpu-service)" 'BEGIN {
    printf "  %-44s %.3f (goal at most 0.1): %s\n", "service CPU, % of a core", v, v <= 0.1 ? "met" : "MISSED" }'
  compare "private bytes, service / zorvel.exe" memory-service memory-window ratio 1
}
# The graph of a day of simulated history, maximised, and the bare window.
bench_graph() {
  echo "== repaint of a maximised graph window over a day ($runs runs of 10)"
  local run folder
  for ((run = 1; run <= runs; run++)); do
    folder=$out/graph-$run
    mkdir -p "$folder"
    (cd "$folder" && wine "$bin/write_sample_history.exe")
    start graph "$folder" Zorvel "TarnelPort Monitor" "$bin/zorvel.exe" -F
    wine "$bin/post_command.exe" Zorvel "TarnelPort Monitor" graph >/dev/null
    probe maximise ZorvelGraph "Graph - COM5" >/dev/null
    probe redraw ZorvelGraph "Graph - COM5" 10 100 | awk '{ print $2 }' >>"$out/graph-repaint"
    # What a step of the pointer repaints: the line of its figure (and two columns).
    probe redraw ZorvelGraph "Graph - COM5" 10 100 0 20 1920 40 | awk '{ print $2 }' >>"$out/graph-pointer"
    stop Zorvel "TarnelPort Monitor" "$pid"
    start bare "$out/graph-bare-$run" BareWindow "Bare Window" "$bin/bare_window.exe"
    probe maximise BareWindow "Bare Window" >/dev/null
    probe redraw BareWindow "Bare Window" 10 100 | awk '{ print $2 }' >>"$out/graph-bare"
    stop BareWindow "Bare Window" "$pid"
  done
  figure "graph, full repaint, ms" graph-repaint
  figure "graph, the pointer's figure line, ms" graph-pointer
  figure "bare, full repaint, ms" graph-bare
  compare "graph repaint / bare window's fill" graph-repaint graph-bare ratio 3
}
if [ $service_only -eq 1 ]; then
  bench_service
  exit 0
fi
if [ $graph_only -eq 1 ]; then
  bench_graph
  exit 0
fi

echo "== repaint of a maximised 1920x1080 window, 128 ports, 56 columns ($runs runs of 10)"
wine "$bin/standin_ctl.exe" install --ports 128 --driver "$(winepath -w "$bin/tarnel_standin.sys")" >/dev/null
programs=("after:Zorvel:TarnelPort Monitor:$bin/zorvel.exe" "bare:BareWindow:Bare Window:$bin/bare_window.exe")
[ -n "$before" ] && programs=("before:Zorvel:TarnelPort Monitor:$before" "${programs[@]}")
for ((run = 1; run <= runs; run++)); do
  for entry in "${programs[@]}"; do
    IFS=: read -r name class title exe <<<"$entry"
    start "$name" "$out/repaint-$name-$run" "$class" "$title" "$exe"
    probe maximise "$class" "$title" >/dev/null
    probe redraw "$class" "$title" 10 100 | awk '{ print $2 }' >>"$out/full-$name"
    probe redraw "$class" "$title" 10 100 1800 960 1900 1020 | awk '{ print $2 }' >>"$out/corner-$name"
    stop "$class" "$title" "$pid"
  done
done
for name in before after bare; do
  [ -f "$out/full-$name" ] || continue
  figure "full repaint, ms (median of 10), $name" "full-$name"
  figure "corner 100x60 repaint, ms, $name" "corner-$name"
done
wine "$bin/standin_ctl.exe" remove >/dev/null

echo "== start to first paint, and private bytes after a minute ($runs runs)"
for ((run = 1; run <= runs; run++)); do
  start monitor "$out/start-$run" Zorvel "TarnelPort Monitor" "$bin/zorvel.exe" -F
  monitor=$pid
  echo "$painted" >>"$out/paint-monitor"
  start bare "$out/start-$run" BareWindow "Bare Window" "$bin/bare_window.exe"
  bare=$pid
  echo "$painted" >>"$out/paint-bare"
  sleep 60
  probe memory "$monitor" | awk '{ print $1 }' >>"$out/memory-monitor"
  probe memory "$bare" | awk '{ print $1 }' >>"$out/memory-bare"
  stop Zorvel "TarnelPort Monitor" "$monitor"
  stop BareWindow "Bare Window" "$bare"
done
figure "start to first paint, ms, zorvel.exe -F" paint-monitor
figure "start to first paint, ms, bare" paint-bare
figure "private bytes after 60 s, zorvel.exe -F" memory-monitor
figure "private bytes after 60 s, bare" memory-bare
compare "first paint, monitor / bare" paint-monitor paint-bare ratio 1.5
compare "private bytes, monitor / bare" memory-monitor memory-bare ratio 2

echo "== CPU over 10 s, % of one core ($runs runs)"
wine "$bin/standin_ctl.exe" install --driver "$(winepath -w "$bin/tarnel_standin.sys")" >/dev/null
for ((run = 1; run <= runs; run++)); do
  start tracer "$out/cpu-$run/tarnel" Vizo "Vizo Tracer" "$bin/vizo.exe"
  tracer=$pid
  start bare "$out/cpu-$run" BareWindow "Bare Window" "$bin/bare_window.exe"
  bare=$pid
  t=$(unix_pid vizo.exe) b=$(unix_pid bare_window.exe)
  [ -n "$t" ] && [ -n "$b" ] || { echo "bench-wine: no Linux process for the programs"; exit 1; }
  sleep 2
  t0=$(cpu_ms "$t") b0=$(cpu_ms "$b")
  sleep 10
  t1=$(cpu_ms "$t") b1=$(cpu_ms "$b")
  probe burst 100 10
  t2=$(cpu_ms "$t")
  share "$t0" "$t1" >>"$out/cpu-idle"
  share "$b0" "$b1" >>"$out/cpu-bare"
  share "$t1" "$t2" >>"$out/cpu-burst"
  stop Vizo "Vizo Tracer" "$tracer"
  stop BareWindow "Bare Window" "$bare"
done
wine "$bin/standin_ctl.exe" remove >/dev/null
figure "vizo.exe idle" cpu-idle
figure "vizo.exe, 10,084 bytes at every poll" cpu-burst
figure "bare, idle" cpu-bare
compare "vizo.exe bursting minus bare idle, %" cpu-burst cpu-bare difference 1

echo "== CPU over 20 s, maximised 1920x1080, 128 ports, a tick every second, % of one core ($runs runs)"
wine "$bin/standin_ctl.exe" install --ports 128 --driver "$(winepath -w "$bin/tarnel_standin.sys")" >/dev/null
for ((run = 1; run <= runs; run++)); do
  for entry in "${programs[@]}"; do
    IFS=: read -r name class title exe <<<"$entry"
    folder=$out/ticks-$name-$run
    mkdir -p "$folder"
    printf '[program]\r\nUpdateTime=1\r\n' >"$folder/zorvel.ini"
    start "$name" "$folder" "$class" "$title" "$exe"
    probe maximise "$class" "$title" >/dev/null
    u=$(unix_pid "$(basename "$exe")")
    [ -n "$u" ] || { echo "bench-wine: no Linux process for $exe"; exit 1; }
    sleep 2
    c0=$(cpu_ms "$u")
    sleep 20
    c1=$(cpu_ms "$u")
    awk -v a="$c0" -v b="$c1" 'BEGIN { printf "%.2f\n", (b - a) / 200 }' >>"$out/ticks-$name"
    stop "$class" "$title" "$pid"
  done
done
wine "$bin/standin_ctl.exe" remove >/dev/null
for name in before after bare; do
  [ -f "$out/ticks-$name" ] || continue
  figure "$name" "ticks-$name"
done
compare "full repaint, monitor / bare" full-after full-bare ratio 6
compare "monitor ticking every second minus bare, %" ticks-after ticks-bare difference 0.5

bench_service
bench_graph
