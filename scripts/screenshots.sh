#!/usr/bin/env bash
# Renews the README's pictures of the shell in docs/: the letter window in the program's own look
# and in the look of QznRes.dll, the pen-width popup open, the strip of inking mode, and the sheet
# of all button pictures.
# Needs a built tree; runs inside Xvfb by itself.
# Usage: scripts/screenshots.sh [build dir]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ -z "${QUILLET_IN_XVFB:-}" ]; then
    QUILLET_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi
. "$root/scripts/wine-session.sh" "$build"
shots=$build/shots
mkdir -p "$shots"
status=0
/usr/lib/wine/wine64 "$build/bin/quillet_shots.exe" "Z:$shots" </dev/null || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
for name in letter-window-shell letter-window-alt pen-width-popup inking-strip; do
    [ -f "$shots/$name.bmp" ] && convert "$shots/$name.bmp" "$root/docs/$name.png"
done
cp "$build/resources/shell/shell-images.png" "$root/docs/shell-images.png"
echo "Pictures written to $root/docs"
exit $status
