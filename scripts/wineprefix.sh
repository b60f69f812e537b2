#!/usr/bin/env bash
# Creates the build's own Wine prefix once (never the user's ~/.wine), set up so that windows
# take the focus and synthetic input arrives without a window manager.
# Usage: scripts/wineprefix.sh <build dir>   (needs a DISPLAY; QUILLET_WINEPREFIX names another
# prefix than <build dir>/wineprefix)
set -e
build=$(cd "$1" && pwd)
export WINEPREFIX=${QUILLET_WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
if [ -f "$WINEPREFIX/.quillet-ready" ]; then
    exit 0
fi
rm -rf "$WINEPREFIX"
$wine wineboot -i >/dev/null 2>&1
$wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
$wine reg add 'HKCU\Control Panel\International' /v Locale /d 00000409 /f >/dev/null 2>&1 || true
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
/usr/lib/wine/wineserver -w
touch "$WINEPREFIX/.quillet-ready"
