#!/usr/bin/env bash
# Sets up, builds both Windows builds and writes the release ZIPs
# build/package/tarnelport-tools-<version>-win32.zip and -win64.zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
log=$root/build/package-logs
mkdir -p "$log"

for preset in windows windows64; do
  echo "== build $preset"
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j"$jobs"; } >"$log/$preset.log" 2>&1; then
    grep -E "error|warning" "$log/$preset.log" | head -50
    echo "package: the $preset build failed (see build/package-logs/$preset.log)"
    exit 1
  fi
  echo "== package $preset"
  if ! (cd "build/$preset" && cpack -C Release) >"$log/$preset-cpack.log" 2>&1; then
    cat "$log/$preset-cpack.log"
    echo "package: cpack of $preset failed"
    exit 1
  fi
done
ls -l build/package/*.zip
