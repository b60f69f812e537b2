#!/usr/bin/env bash
# Headless demo (inside an X display such as Xvfb): starts KVOmail on an empty note with the
# virtual tablet, writes with the pen, captures the letter window into <build>/demo.png and
# closes the program.
# Usage: scripts/demo.sh <build dir>
set -e
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/wineprefix.sh" "$build"
export WINEPREFIX=$build/wineprefix
# The demo chooses the virtual tablet for KVOmail.exe through Wine's per-program setting, which
# the tablet library entry of WINEDLLOVERRIDES would override.
export WINEDLLOVERRIDES="mscoree,mshtml="
status=0
"$root/scripts/wine-run.sh" "$build/bin/quillet_demo.exe" 'Z:'"$build"'/demo.bmp' || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
if [ -f "$build/demo.bmp" ]; then
    convert "$build/demo.bmp" "$build/demo.png" && rm -f "$build/demo.bmp"
    echo "Screenshot of the letter window: $build/demo.png"
fi
exit $status
