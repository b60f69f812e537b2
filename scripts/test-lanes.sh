#!/usr/bin/env bash
# Runs every test of a build in lanes at once, each in an Xvfb display, a Wine prefix and a
# wineserver of its own, so that the end-to-end groups of one lane need not wait for those of
# another (most of their time is spent waiting for windows, not computing: with four lanes the
# processors of a 2-core machine are still idle half the time). The groups of a lane never share
# a display, a clipboard, a foreground window or a printer with another lane's.
# Any ctest arguments after the build folder go to every lane.
# Usage: scripts/test-lanes.sh <build dir> [ctest arguments]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
shift
# The groups of every lane after the first (the longest end-to-end ones, about as long in each
# lane); the first lane runs all others.
lanes=("" "office mediae2e e2e" "modese2e desktop installer" "shelle2e pene2e inkpene2e bridgeclip media")

# A lane is a folder whose test file names the build's folders of tests it runs.
lane_of() {
    for ((i = 1; i < ${#lanes[@]}; i++)); do
        [[ " ${lanes[$i]} " != *" $1 "* ]] || { echo $((i + 1)); return; }
    done
    echo 1
}
for ((i = 1; i <= ${#lanes[@]}; i++)); do
    mkdir -p "$build/lane-$i"
    : >"$build/lane-$i/CTestTestfile.cmake"
done
for dir in $(sed -n 's/^subdirs("\(.*\)")$/\1/p' "$build/CTestTestfile.cmake"); do
    [ "$dir" = tests ] || echo "subdirs(\"$build/$dir\")" >>"$build/lane-1/CTestTestfile.cmake"
done
for dir in $(sed -n 's/^subdirs("\(.*\)")$/\1/p' "$build/tests/CTestTestfile.cmake"); do
    echo "subdirs(\"$build/tests/$dir\")" >>"$build/lane-$(lane_of "$dir")/CTestTestfile.cmake"
done

# Free display numbers, one a lane, taken before any server starts.
displays=()
for n in $(seq 99 -1 10); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || displays+=("$n")
    [ ${#displays[@]} -lt ${#lanes[@]} ] || break
done
run_lane() {
    # The first lane keeps the build's own prefix.
    local prefix=$build/wineprefix
    [ "$1" = 1 ] || prefix=$build/wineprefix-$1
    QUILLET_CTEST_DIR=$build/lane-$1 QUILLET_WINEPREFIX=$prefix \
        xvfb-run -n "${displays[$1 - 1]}" -s "-screen 0 1280x1024x24" \
        "$root/scripts/in-display-tests.sh" "$build" "${@:2}"
}
# The other lanes' lines are marked, so that the reports can be told apart.
pids=()
for ((i = 2; i <= ${#lanes[@]}; i++)); do
    run_lane $i "$@" > >(sed -u "s/^/[lane $i] /") 2>&1 &
    pids+=($!)
done
status=0
run_lane 1 "$@" || status=$?
for pid in "${pids[@]}"; do
    wait "$pid" || status=$?
done
exit $status
