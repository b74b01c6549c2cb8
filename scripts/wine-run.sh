#!/usr/bin/env bash
# wine-run.sh PREFIX PROGRAM [ARGS...]: runs a Windows program under Wine with the
# given prefix, on $DISPLAY or, when there is none, on a virtual display of its own.
set -eu
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$@"
fi
. "$(dirname "$0")/wine-session.sh"
virtual_display_start
trap virtual_display_stop EXIT
status=0
wine "$@" || status=$?
exit $status
