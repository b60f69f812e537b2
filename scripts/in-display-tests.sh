#!/usr/bin/env bash
# Runs ctest inside an X display: prepares the prefix and keeps one wineserver for the whole run.
set -e
build=$(cd "$1" && pwd)
shift
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/wineprefix.sh" "$build"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -p
# Start Wine's own service processes now, detached from ctest's output pipes: a test program
# that started them would leave them holding its pipe, and ctest would wait for them.
/usr/lib/wine/wine64 wineboot >/dev/null 2>&1 </dev/null
# This machine has no tablet, and KVOmail says so in a box at every start without one: in tests it
# takes the virtual tablet (tools/wintab) that the tests copy beside it. A test that wants Wine's
# own library or none sets this value itself and puts it back.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\AppDefaults\KVOmail.exe\DllOverrides' /v wintab32 \
    /d "n,b" /f >/dev/null 2>&1 </dev/null
# Without a window manager Wine waits two seconds for each of its windows that was activated to
# be taken off the screen; the shell's leak test opens and closes its pop-ups hundreds of times,
# so in that program Wine places the windows itself.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\AppDefaults\shell_tests.exe\X11 Driver' /v Managed \
    /d N /f >/dev/null 2>&1 </dev/null
# A small memory volume for the tests of writing onto a full disk; mounting needs root, and the
# tests that use it are skipped without it.
small=$build/small-volume
mkdir -p "$small"
if mountpoint -q "$small" || mount -t tmpfs -o size=512k quillet-small "$small" 2>/dev/null; then
    export QUILLET_SMALL_VOLUME="Z:$small"
    trap 'umount "$small" 2>/dev/null || true' EXIT
fi
status=0
(cd "$build" && ctest --output-on-failure -j2 "$@") || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
exit $status
