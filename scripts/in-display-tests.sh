#!/usr/bin/env bash
# Runs ctest inside an X display: prepares the prefix and keeps one wineserver for the whole run.
# QUILLET_CTEST_DIR names a folder of tests other than the whole build (scripts/test-lanes.sh).
set -e
. "$(dirname "$0")/wine-session.sh" "$1"
shift
# Without a window manager Wine waits two seconds for each of its windows that was activated to
# be taken off the screen, and the in-process test programs show and hide windows in nearly every
# case: in them Wine places the windows itself. The end-to-end programs keep a desktop's windows,
# stacked with the program's under test (which has the setting each test asks for).
for exe in "$build"/bin/*_tests.exe; do
    [[ $exe == *e2e_tests.exe ]] && continue
    /usr/lib/wine/wine64 reg add "HKCU\\Software\\Wine\\AppDefaults\\${exe##*/}\\X11 Driver" /v Managed \
        /d N /f >/dev/null 2>&1 </dev/null
done
# A small memory volume for the tests of writing onto a full disk; mounting needs root, and the
# tests that use it are skipped without it.
tests=${QUILLET_CTEST_DIR:-$build}
small=$tests/small-volume
mkdir -p "$small"
if mountpoint -q "$small" || mount -t tmpfs -o size=512k quillet-small "$small" 2>/dev/null; then
    export QUILLET_SMALL_VOLUME="Z:$small"
    trap 'umount "$small" 2>/dev/null || true' EXIT
fi
status=0
if ! (cd "$tests" && ctest --output-on-failure -j2 "$@"); then
    # The end-to-end tests drive real windows in a shared display, and a test that lost a race
    # with another test's windows can fail once: the failed ones run once more, one at a time.
    # A fault in the program fails them again.
    echo "Running the failed tests once more, one at a time:"
    # The rerun writes ctest's log anew: the first pass's, with each failure's exit code, stays.
    cp "$tests/Testing/Temporary/LastTest.log" "$tests/Testing/Temporary/FirstPass.log" || true
    (cd "$tests" && ctest --output-on-failure --rerun-failed) || status=$?
fi
/usr/lib/wine/wineserver -k 2>/dev/null || true
exit $status
