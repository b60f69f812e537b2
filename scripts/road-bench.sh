#!/usr/bin/env bash
# The pen's whole road (bench/road), inside an X display: KVOmail.exe of the build and the floor
# window write the same strokes with the virtual tablet timing each packet. A second argument
# names another build of the program to time in the same run, taking turns with this one: its
# bin/ folder, or a commit, which is checked out into a worktree beside the build folder and built
# there once (with the same ccache settings as any build).
# Usage: xvfb-run -a -s "-screen 0 1280x1024x24" scripts/road-bench.sh <build dir> [bin|commit|-]
#        [strokes per case, 10] [rounds, 1]
set -e
. "$(dirname "$0")/wine-session.sh" "$1"
other=${2:--}
if [ "$other" != - ] && [ ! -f "$other/KVOmail.exe" ]; then
    tree=$build/road-$other
    [ -d "$tree" ] || git -C "$root" worktree add --detach "$tree" "$other"
    [ -f "$tree/build/bin/KVOmail.exe" ] || (cd "$tree" && bash scripts/build.sh)
    other=$tree/build/bin
fi
[ "$other" = - ] || other="Z:$(cd "$other" && pwd)"
status=0
/usr/lib/wine/wine64 "$build/bin/road_bench.exe" "$other" "${3:-10}" "${4:-1}" || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
exit $status
