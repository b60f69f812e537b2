#!/usr/bin/env bash
# Configures and builds everything into build/ (or $QUILLET_BUILD).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLET_BUILD:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -- -j"$(nproc)"
