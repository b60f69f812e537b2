#!/usr/bin/env bash
# Installs Quillet for the Linux desktop, for the current user: the program files, a launcher
# that runs KVOmail under Wine with the right settings, a menu entry with the program's icon, and
# the note file type (.Qzn), so that a note opens from the file manager. Mail goes to the
# desktop's mail program through xdg-email (our own Simple MAPI library, used only here).
#
# Usage: scripts/install-desktop.sh [--prefix DIR] [--build DIR] [--uninstall]
#   --prefix DIR  where to install (default ~/.local: DIR/bin, DIR/share)
#   --build DIR   the built tree (default build/ beside this script; scripts/build.sh makes it)
#   --uninstall   removes what an earlier run installed under the prefix
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$HOME/.local
build=$root/build
uninstall=0
while [ $# -gt 0 ]; do
    case "$1" in
    --prefix) prefix=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --uninstall) uninstall=1; shift ;;
    *) echo "usage: $0 [--prefix DIR] [--build DIR] [--uninstall]" >&2; exit 2 ;;
    esac
done
program=$prefix/share/quillet/program
launcher=$prefix/bin/quillet
entry=$prefix/share/applications/quillet.desktop
icon=$prefix/share/icons/hicolor/48x48/apps/quillet.png
mimefile=$prefix/share/mime/packages/quillet.xml

refresh() {
    if command -v update-mime-database >/dev/null; then
        update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || true
    fi
    if command -v update-desktop-database >/dev/null; then
        update-desktop-database "$prefix/share/applications" >/dev/null 2>&1 || true
    fi
}

if [ "$uninstall" = 1 ]; then
    rm -rf "$prefix/share/quillet"
    rm -f "$launcher" "$entry" "$icon" "$mimefile"
    refresh
    echo "Quillet removed from $prefix"
    exit 0
fi

bin=$build/bin
for f in KVOmail.exe KVOStart.exe Brevix.dll kvofunc.dll; do
    if [ ! -f "$bin/$f" ]; then
        echo "$bin/$f is missing: build first (bash scripts/build.sh)" >&2
        exit 1
    fi
done
mkdir -p "$program" "$(dirname "$launcher")" "$(dirname "$entry")" "$(dirname "$icon")" \
    "$(dirname "$mimefile")"
cp "$bin/KVOmail.exe" "$bin/KVOStart.exe" "$bin/Brevix.dll" "$bin/kvofunc.dll" "$program/"
for f in help.chm QznRes.dll; do
    if [ -f "$bin/$f" ]; then cp "$bin/$f" "$program/"; fi
done
cp "$build/desktop/mapi32.dll" "$program/"
# The largest picture of the program's icon.
convert "ico:$build/resources/KVOmail.ico" -delete 0--2 -resize 48x48 "png:$icon"

cat >"$launcher" <<LAUNCHER
#!/bin/sh
# Quillet under Wine. Usage: quillet [NOTE.Qzn]
# Wine's own tablet library reads the X server's tablets; the program's own Simple MAPI library
# beside it hands mail to xdg-email; Wine asks for no Mono or Gecko.
export WINEPREFIX="\${WINEPREFIX:-\$HOME/.local/share/quillet/wineprefix}"
export WINEDLLOVERRIDES="mapi32=n,b;wintab32=b;mscoree,mshtml="
export WINEDEBUG="\${WINEDEBUG:--all}"
wine=\$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
if [ \$# -eq 0 ]; then
    exec "\$wine" "$program/KVOmail.exe"
fi
# Wine's drive Z: is the Linux file system's root.
note=\$(realpath -- "\$1")
exec "\$wine" "$program/KVOmail.exe" "Z:\$(printf '%s' "\$note" | tr / '\\\\')"
LAUNCHER
chmod 755 "$launcher"

cat >"$entry" <<ENTRY
[Desktop Entry]
Type=Application
Name=Quillet
GenericName=Handwritten notes
Comment=Write notes by hand with a pen tablet or the mouse
Exec="$launcher" %f
Icon=quillet
Terminal=false
Categories=Office;Graphics;
MimeType=application/x-quillet-note;
ENTRY

cat >"$mimefile" <<'MIME'
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-quillet-note">
    <comment>Quillet note</comment>
    <icon name="quillet"/>
    <glob pattern="*.qzn" case-sensitive="false"/>
  </mime-type>
</mime-info>
MIME
refresh
# The user's own choice of program for notes, for a home installation only.
if [ "$prefix" = "$HOME/.local" ] && command -v xdg-mime >/dev/null; then
    xdg-mime default quillet.desktop application/x-quillet-note || true
fi
echo "Quillet installed: $launcher (menu entry $entry)"
