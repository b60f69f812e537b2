#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine, in private Xvfb displays.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLET_BUILD:-$root/build}
"$root/scripts/setup.sh"
QUILLET_BUILD=$build "$root/scripts/build.sh"
exec "$root/scripts/test-lanes.sh" "$build" "$@"
