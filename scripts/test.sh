#!/usr/bin/env bash
# Sets up, builds the native, sanitizer and both Windows builds and their
# release ZIPs, runs every test (native, sanitizer, each fuzz target for 10 s,
# Wine, the packages, a two-minute soak) and prints "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh || exit 1
. scripts/wine-session.sh

jobs=$(nproc 2>/dev/null || echo 2)
log=$root/build/test-logs
mkdir -p "$log"

build() {
  local preset=$1
  echo "== build $preset"
  if ! cmake --preset "$preset" -DTARNEL_WERROR=ON >"$log/$preset-configure.log" 2>&1; then
    cat "$log/$preset-configure.log"; echo "configure of $preset failed"; exit 1
  fi
  if ! cmake --build --preset "$preset" -j"$jobs" >"$log/$preset-build.log" 2>&1; then
    grep -E "error|warning" "$log/$preset-build.log" | head -50; echo "build of $preset failed"; exit 1
  fi
}

passed=0
failed=0
status=0
run_tests() {
  local preset=$1
  shift
  echo "== test $preset"
  ctest --preset "$preset" "$@" 2>&1 | tee "$log/$preset-test.log" | grep -E "^ *[0-9]+/[0-9]+ Test|tests passed|\*\*\*" || true
  local line total bad
  line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log/$preset-test.log" | tail -1)
  if [ -z "$line" ]; then
    echo "ctest for $preset reported no result"; status=1; return
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || status=1
}

build native
build sanitize
build windows
build windows64
echo "== package"
if ! bash scripts/package.sh >"$log/package.log" 2>&1; then
  cat "$log/package.log"; echo "packaging failed"; exit 1
fi

run_tests native -j"$jobs"
run_tests sanitize -j"$jobs"

# Each fuzz target counts as one test.
echo "== fuzz"
bash scripts/fuzz.sh 10 2>&1 | tee "$log/fuzz.log" | grep -E "^fuzz |^  |failed$" || true
fuzz_line=$(grep -E "^fuzz: [0-9]+ passed, [0-9]+ failed" "$log/fuzz.log" | tail -1)
if [ -z "$fuzz_line" ]; then
  echo "fuzz reported no result"; status=1
else
  fuzz_bad=$(sed -E 's/.* ([0-9]+) failed/\1/' <<<"$fuzz_line")
  passed=$((passed + $(sed -E 's/^fuzz: ([0-9]+) passed.*/\1/' <<<"$fuzz_line")))
  failed=$((failed + fuzz_bad))
  [ "$fuzz_bad" -eq 0 ] || status=1
fi

# One Wine prefix per build folder, so one session after the other.
trap wine_session_stop EXIT
for preset in windows windows64; do
  wine_session_start "$root/build/$preset/wineprefix" virtual
  run_tests "$preset"
  wine_session_stop
done

# Counted as one test: memory and painting of both programs over two minutes.
echo "== soak"
if bash scripts/soak.sh 2 "$root/build/windows/bin" >"$log/soak.log" 2>&1; then
  passed=$((passed + 1))
  echo "soak passed"
else
  failed=$((failed + 1))
  status=1
  tail -20 "$log/soak.log"
fi

echo "$passed passed, $failed failed"
exit $status
