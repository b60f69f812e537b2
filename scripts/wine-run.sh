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
# No tablet library unless one is asked for: Wine's own reports no tablet on such a machine and
# the program would say so at every start. "wintab32=n,b" picks the virtual tablet beside the
# program (tools/wintab), "wintab32=b" Wine's own.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;wintab32=}
exec /usr/lib/wine/wine64 "$@"
