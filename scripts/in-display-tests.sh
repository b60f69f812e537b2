#!/usr/bin/env bash
# Runs ctest inside an X display: prepares the prefix and keeps one wineserver for the whole run.
set -e
build=$(cd "$1" && pwd)
shift
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/wineprefix.sh" "$build"
# Tests run without a tablet library; those that want one say so for the programs they start.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;wintab32="
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -p
# Start Wine's own service processes now, detached from ctest's output pipes: a test program
# that started them would leave them holding its pipe, and ctest would wait for them.
/usr/lib/wine/wine64 wineboot >/dev/null 2>&1 </dev/null
status=0
(cd "$build" && ctest --output-on-failure -j2 "$@") || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
exit $status
