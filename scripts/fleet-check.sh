#!/usr/bin/env bash
# Measures the monitoring kit at fleet scale: BOARDS synthetic boards of 128
# ports in the monitor's own families (Families=all unless `counters` is
# given), an hour of their history backfilled, scraped live by a Prometheus
# server on loopback with the kit's rules. Prints the series, the server's
# memory, each rule group's evaluation time and every dashboard query's time
# over one hour against the goals (docs/performance.md). Takes ten minutes and
# more, waiting for the hourly rule group, so scripts/test.sh does not run it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: bash scripts/fleet-check.sh BOARDS [all|counters]" >&2
  exit 2
fi

bash scripts/setup.sh
. scripts/build-preset.sh
build_preset native "$root/build/fleet-logs" -DTARNEL_BENCH=ON -- --target fleet_boards || exit 1
exec /usr/bin/python3 bench/fleet/fleet_check.py build/native/bin/fleet_boards "$@"
