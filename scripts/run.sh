#!/usr/bin/env bash
# Installs what is missing, builds, and runs KVOmail under Wine on the user's display.
# Without a display it runs headless inside Xvfb, with the scripted pen demo, and says so.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLET_BUILD:-$root/build}
"$root/scripts/setup.sh"
QUILLET_BUILD=$build "$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: running KVOmail headless inside Xvfb (a short scripted demo with a screenshot)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/demo.sh" "$build" "$@"
fi
"$root/scripts/wineprefix.sh" "$build"
exec "$root/scripts/wine-run.sh" "$build/bin/KVOmail.exe" "$@"
