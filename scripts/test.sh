#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine inside a private Xvfb display.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLET_BUILD:-$root/build}
"$root/scripts/setup.sh"
QUILLET_BUILD=$build "$root/scripts/build.sh"
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/in-display-tests.sh" "$build" "$@"
