#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own prefix.
# The prefix sits beside the program's bin/ folder (build/bin/x.exe -> build/wineprefix)
# unless WINEPREFIX is already set.
set -e
exe=$1
if [ -z "${WINEPREFIX:-}" ]; then
    WINEPREFIX=$(cd "$(dirname "$exe")/.." && pwd)/wineprefix
fi
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec /usr/lib/wine/wine64 "$@"
