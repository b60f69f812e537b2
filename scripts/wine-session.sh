# Sourced by the scripts that run the build's programs inside an X display: prepares the build's
# own prefix and keeps one wineserver running for the session.
# Usage: . scripts/wine-session.sh <build dir>   (sets $build and $root; QUILLET_WINEPREFIX names
# another prefix than <build dir>/wineprefix)
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/wineprefix.sh" "$build"
export WINEPREFIX=${QUILLET_WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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
