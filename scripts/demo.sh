#!/usr/bin/env bash
# Headless demo: starts KVOmail, lets it run briefly and shuts it down.
set -e
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/wineprefix.sh" "$build"
"$root/scripts/wine-run.sh" "$build/bin/KVOmail.exe"
echo "KVOmail ran and ended."
