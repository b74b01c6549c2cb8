#!/usr/bin/env bash
# Sets up, builds the core benchmarks optimised, runs each with its baseline in
# the same program and prints one line per pair: the medians, their ratio and
# the goal. `--repetitions N` (default 5) sets how often each one runs.
# `--wine` hands over to scripts/bench-wine.sh, the measurements under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ "${1:-}" = "--wine" ]; then
  shift
  if [ ! -f scripts/bench-wine.sh ]; then
    echo "bench: scripts/bench-wine.sh is missing; the Wine measurements cannot run" >&2
    exit 1
  fi
  exec bash scripts/bench-wine.sh "$@"
fi

repetitions=5
while [ $# -gt 0 ]; do
  case $1 in
    --repetitions) repetitions=${2:?--repetitions needs a number}; shift 2 ;;
    *) echo "usage: bash scripts/bench.sh [--repetitions N] | --wine [...]" >&2; exit 2 ;;
  esac
done

bash scripts/setup.sh
. scripts/build-preset.sh

log=$root/build/bench-logs
# The preset's RelWithDebInfo is -O2, as the programs are built; the benchmarks
# may have been switched off in this build folder by hand.
build_preset native "$log" -DTARNEL_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -- --target zorvel_bench || exit 1

# Benchmark and baseline, and the most the ratio may be ("-": reported only).
pairs=(
  "TickOver128Ports CopyRecordTable 2"
  "CellTextsOfAFullGrid FormatFullGridBaseline 1.5"
  "ChangedCells128 CompareGridTextsBaseline 2"
  "ReportAllMultiple128 WriteReportBytesBaseline 2"
  "MetricsFile128 MetricsFileBytesBaseline 2"
  "TickOver128PortsEndingAMinuteWithMetrics TickOver128PortsEndingAMinute -"
  "TraceAppendRefresh10084 CopyTraceBufferBaseline -"
  "PublishTick128 CopyTablesBaseline 2"
  "ServiceWindowTick128 SamplingWindowTick128 2"
  "PlanDayGraph1440 CopyDayPointsBaseline -"
  "MinuteOfTicksWithHistory MinuteOfTicksWithout 1.05"
  "TickEndingAMinuteWithHistory TickEndingAMinuteWithout -"
)
names=()
for pair in "${pairs[@]}"; do
  read -r a b _ <<<"$pair"
  names+=("$a" "$b")
done
filter="^($(IFS='|'; echo "${names[*]}"))\$"

json=$log/core.json
# Interleaved repetitions, so a slow spell of the machine falls on both sides of a pair.
build/native/bin/zorvel_bench --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
  --benchmark_enable_random_interleaving=true --benchmark_format=json >"$json" 2>"$log/run.log" || {
  cat "$log/run.log"; echo "bench: the benchmark program failed"; exit 1
}

compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' build/native/CMakeCache.txt)
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' build/native/CMakeCache.txt)
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "machine: $(nproc) CPUs, ${cpu:-unknown CPU}; $("$compiler" --version | head -1); $build_type"

/usr/bin/python3 - "$json" "${pairs[@]}" <<'PY'
import json
import statistics
import sys

with open(sys.argv[1]) as f:
    report = json.load(f)
scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
runs = {}
for b in report["benchmarks"]:
    if b.get("run_type") == "iteration" and "error_occurred" not in b:
        runs.setdefault(b["run_name"], []).append(b["cpu_time"] * scale[b["time_unit"]])

def shown(seconds):
    for unit, size in (("s", 1.0), ("ms", 1e-3), ("us", 1e-6)):
        if seconds >= size:
            return f"{seconds / size:.3g} {unit}"
    return f"{seconds / 1e-9:.3g} ns"

def spread(times):
    return f"{shown(statistics.median(times))} ({shown(min(times))} to {shown(max(times))})"

print(f"library build: {report['context'].get('library_build_type', 'unknown')}; "
      f"CPU time, median (min to max) of {len(next(iter(runs.values()), []))} runs")
met = missed = 0
failed = False
for pair in sys.argv[2:]:
    name, baseline, goal = pair.split()
    if name not in runs or baseline not in runs:
        print(f"{name}: no result (see build/bench-logs/run.log)")
        failed = True
        continue
    ratio = statistics.median(runs[name]) / statistics.median(runs[baseline])
    if goal == "-":
        verdict = "goal: none"
    elif ratio <= float(goal):
        verdict, met = f"goal: <= {goal}x, met", met + 1
    else:
        verdict, missed = f"goal: <= {goal}x, MISSED", missed + 1
    print(f"{name}: {spread(runs[name])}; {baseline}: {spread(runs[baseline])}; {ratio:.2f}x; {verdict}")
print(f"{met} goals met, {missed} missed")
sys.exit(1 if failed else 0)
PY
