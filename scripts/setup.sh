#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run Quillet.
set -e
# python3-cairo and the DejaVu fonts draw the shell's bitmaps at build time; fp-utils brings
# chmcmd, which compiles help.chm.
pkgs="g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 xvfb xauth x11-apps googletest cmake
      ninja-build imagemagick python3 nsis ghostscript xclip python3-cairo fonts-dejavu-core
      fonts-dejavu-extra fp-utils"
missing=""
for p in $pkgs; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
fi
