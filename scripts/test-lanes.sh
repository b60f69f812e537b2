#!/usr/bin/env bash
# Runs every test of a build in two lanes at once, each in an Xvfb display, a Wine prefix and a
# wineserver of its own, so that the end-to-end groups of the second lane need not wait for those
# of the first (most of their time is spent waiting for windows, not computing). The groups of a
# lane never share a display, a clipboard, a foreground window or a printer with the other's.
# Any ctest arguments after the build folder go to both lanes.
# Usage: scripts/test-lanes.sh <build dir> [ctest arguments]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
shift
second="office modese2e mediae2e desktop"

# A lane is a folder whose test file names the build's folders of tests it runs.
make_lane() {
    mkdir -p "$1"
    : >"$1/CTestTestfile.cmake"
    for dir in "${@:2}"; do
        echo "subdirs(\"$dir\")" >>"$1/CTestTestfile.cmake"
    done
}
first_dirs=()
second_dirs=()
for dir in $(sed -n 's/^subdirs("\(.*\)")$/\1/p' "$build/CTestTestfile.cmake"); do
    [ "$dir" = tests ] || first_dirs+=("$build/$dir")
done
for dir in $(sed -n 's/^subdirs("\(.*\)")$/\1/p' "$build/tests/CTestTestfile.cmake"); do
    if [[ " $second " == *" $dir "* ]]; then
        second_dirs+=("$build/tests/$dir")
    else
        first_dirs+=("$build/tests/$dir")
    fi
done
make_lane "$build/lane-1" "${first_dirs[@]}"
make_lane "$build/lane-2" "${second_dirs[@]}"

# Two free display numbers, taken before either server starts.
displays=()
for n in $(seq 99 -1 10); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || displays+=("$n")
    [ ${#displays[@]} -lt 2 ] || break
done
# The first lane keeps the build's own prefix.
prefixes=("$build/wineprefix" "$build/wineprefix-2")
run_lane() {
    QUILLET_CTEST_DIR=$build/lane-$1 QUILLET_WINEPREFIX=${prefixes[$1 - 1]} \
        xvfb-run -n "${displays[$1 - 1]}" -s "-screen 0 1280x1024x24" \
        "$root/scripts/in-display-tests.sh" "$build" "${@:2}"
}
# The second lane's lines are marked, so that the two reports can be told apart.
run_lane 2 "$@" > >(sed -u 's/^/[lane 2] /') 2>&1 &
second_pid=$!
status=0
run_lane 1 "$@" || status=$?
wait $second_pid || status=$?
exit $status
