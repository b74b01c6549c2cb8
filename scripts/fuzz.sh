#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz", clang) and runs each for SECONDS
# (default 30) on a copy of its committed corpus. Prints one line per target
# and "fuzz: N passed, N failed"; exits non-zero on any finding, whose input
# is kept in build/fuzz/findings.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}

bash scripts/setup.sh || exit 1
. scripts/build-preset.sh
log=$root/build/fuzz-logs
findings=$root/build/fuzz/findings
build_preset fuzz "$log" -DTARNEL_WERROR=ON >&2 || exit 1
mkdir -p "$findings"

passed=0
failed=0
for seeds in tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  # New inputs go to the first folder, so the committed corpus stays as it is.
  work=$(mktemp -d)
  "build/fuzz/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$work" "$seeds" >"$log/$name.log" 2>&1
  rc=$?
  rm -rf "$work"
  runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log/$name.log" | tail -1)
  if [ $rc -eq 0 ]; then
    passed=$((passed + 1))
    echo "fuzz $name: ${runs:-?} runs in ${seconds} s, ok"
  else
    failed=$((failed + 1))
    echo "fuzz $name: FAILED after ${runs:-?} runs (exit $rc), see $log/$name.log"
    grep -m3 -E "ERROR|runtime error|property failed|Test unit written" "$log/$name.log" | sed 's/^/  /'
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
