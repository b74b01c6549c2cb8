#!/usr/bin/env bash
# The end-to-end tests wait on what they can observe (a window, a file, a tick,
# the program's end), never for a fixed time. Lists every fixed wait, whatever
# it is called, in tests/e2e, and fails when there is one; the poll interval
# inside WaitFor is the one pause allowed.
set -uo pipefail
cd "$(dirname "$0")/.."

patterns=(
  # pauses by any name
  '\b(Sleep|SleepEx|RunFor|usleep|nanosleep|sleep_for|sleep_until)[[:space:]]*\('
  '\b(CreateWaitableTimer|SetWaitableTimer|timeSetEvent)[A-Za-z]*[[:space:]]*\('
  # waits on nothing, or on something that never comes
  'MsgWaitForMultipleObjects(Ex)?[[:space:]]*\([[:space:]]*0[[:space:]]*,'
  'WaitFor(Single|Multiple)Objects?(Ex)?[[:space:]]*\([^;]*(GetCurrentProcess|GetCurrentThread|nullptr|NULL)[[:space:]]*\('
  'WaitForSingleObject[[:space:]]*\([^,;]*,[[:space:]]*[^0[:space:]][^;]*\)[[:space:]]*==[[:space:]]*WAIT_TIMEOUT'
  'WaitFor[[:space:]]*\([[:space:]]*\[[^]]*\][^{]*\{[[:space:]]*return[[:space:]]+(false|0)[[:space:]]*;'
)
allowed='^tests/e2e/wait_win32\.cpp:[0-9]+: *Sleep\(pollMs\);  // the poll interval of every wait$'

found=$(grep -rnE "$(IFS='|'; echo "${patterns[*]}")" tests/e2e | grep -vE "$allowed")
if [ -n "$found" ]; then
  echo "$found"
  exit 1
fi
echo "none"
